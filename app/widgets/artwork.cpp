#include "app/widgets/artwork.h"

#include <QPainter>
#include <QPolygonF>

namespace orvex {
namespace {

// A small cube satellite with its solar cells and four whip antennas, drawn
// in a 100 x 100 box scaled to `box`.
void DrawSatellite(QPainter& painter, const QRectF& box, const QBrush& cells, const QBrush& sides) {
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100, box.height() / 100);
    painter.drawLine(QLineF(32, 70, 8, 96));
    painter.drawLine(QLineF(68, 70, 92, 96));
    painter.drawLine(QLineF(40, 22, 22, 2));
    painter.drawLine(QLineF(80, 22, 98, 4));
    painter.setBrush(sides);
    painter.drawPolygon(QPolygonF({{30, 30}, {40, 22}, {80, 22}, {70, 30}}));
    painter.drawPolygon(QPolygonF({{70, 30}, {80, 22}, {80, 62}, {70, 70}}));
    painter.setBrush(cells);
    painter.drawRect(QRectF(30, 30, 40, 40));
    for (int k = 1; k < 3; ++k) {
        const double at = 30 + k * 40.0 / 3;
        painter.drawLine(QLineF(at, 30, at, 70));
        painter.drawLine(QLineF(30, at, 70, at));
    }
    painter.restore();
}

QPen CosmeticPen(const QColor& colour, int width) {
    QPen pen(colour, width);
    pen.setCosmetic(true);
    return pen;
}

void DrawStar(QPainter& painter, QPoint at) {
    painter.drawLine(at - QPoint(3, 0), at + QPoint(3, 0));
    painter.drawLine(at - QPoint(0, 3), at + QPoint(0, 3));
}

}  // namespace

QImage AboutPicture() {
    QImage picture(183, 230, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    // No smoothing: the picture keeps exactly its two colours.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(CosmeticPen(Qt::black, 2));
    DrawSatellite(painter, QRectF(26, 30, 130, 130), Qt::NoBrush, Qt::NoBrush);
    painter.drawArc(QRect(-160, 190, 503, 300), 40 * 16, 100 * 16);  // the earth's limb
    painter.setPen(CosmeticPen(Qt::black, 1));
    painter.drawArc(QRect(4, 8, 175, 175), 200 * 16, 140 * 16);  // the orbit
    for (const QPoint star :
         {QPoint(14, 18), QPoint(168, 40), QPoint(150, 176), QPoint(20, 150), QPoint(96, 10)}) {
        DrawStar(painter, star);
    }
    return picture;
}

QIcon WindowIcon() {
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(CosmeticPen(Qt::black, 1));
    DrawSatellite(painter, QRectF(0, 0, 32, 32), QColor(0, 0, 192), QColor(160, 160, 160));
    return QIcon(icon);
}

}  // namespace orvex

#include "app/chart/chart_export.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QStringList>
#include <QSvgGenerator>

#include "app/widgets/window_style.h"

namespace orvex {
namespace {

constexpr double kCaptionPoints = 9;
constexpr int kCaptionMargin = 4;  // pixels round the caption

// The caption's lines and the room they take above the chart.
struct Caption {
    QStringList lines;
    QFont font = DialogFont(kCaptionPoints);
    int Height() const {
        return static_cast<int>(lines.size()) * QFontMetrics(font).lineSpacing() +
               2 * kCaptionMargin;
    }
};

void Render(QGraphicsView& view, QPainter& painter, const QSize& shown, const Caption& caption) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(caption.font);
    painter.setPen(Qt::black);
    const int captionHeight = caption.Height();
    painter.drawText(QRect(kCaptionMargin, kCaptionMargin, shown.width() - 2 * kCaptionMargin,
                           captionHeight - 2 * kCaptionMargin),
                     Qt::AlignLeft | Qt::AlignTop, caption.lines.join('\n'));
    const QRectF scene = view.mapToScene(QRect(QPoint(), shown)).boundingRect();
    view.scene()->render(&painter, QRectF(QPointF(0, captionHeight), shown), scene);
}

bool WritePng(QGraphicsView& view, QSaveFile& file, const QSize& shown, const Caption& caption) {
    QImage image(shown + QSize(0, caption.Height()), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(view, painter, shown, caption);
    painter.end();
    return image.save(&file, "PNG");
}

bool WriteSvg(QGraphicsView& view, QSaveFile& file, const QSize& shown, const Caption& caption) {
    const QSize size = shown + QSize(0, caption.Height());
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    svg.setResolution(view.logicalDpiX());
    svg.setTitle(caption.lines.value(0));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    painter.fillRect(QRect(QPoint(), size), Qt::white);
    Render(view, painter, shown, caption);
    return painter.end();
}

}  // namespace

QString SaveViewImage(QGraphicsView& view, const QString& path, ImageFormat format,
                      const QStringList& captionLines) {
    const QSize size = view.viewport()->size();
    const Caption caption{captionLines};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    const bool drawn = format == ImageFormat::Png ? WritePng(view, file, size, caption)
                                                  : WriteSvg(view, file, size, caption);
    if (!drawn) {
        file.cancelWriting();
        return file.errorString().isEmpty()
                   ? QCoreApplication::translate("orvex::MainWindow", "the image cannot be drawn")
                   : file.errorString();
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

}  // namespace orvex

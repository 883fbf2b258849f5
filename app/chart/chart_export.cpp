#include "app/chart/chart_export.h"

#include <QCoreApplication>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace orvex {
namespace {

void Render(QGraphicsView& view, QPainter& painter, const QSize& size) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF shown = view.mapToScene(QRect(QPoint(), size)).boundingRect();
    view.scene()->render(&painter, QRectF(QPointF(), size), shown);
}

bool WritePng(QGraphicsView& view, QSaveFile& file, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(view, painter, size);
    painter.end();
    return image.save(&file, "PNG");
}

bool WriteSvg(QGraphicsView& view, QSaveFile& file, const QSize& size, const QString& title) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    svg.setResolution(view.logicalDpiX());
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    Render(view, painter, size);
    return painter.end();
}

}  // namespace

QString SaveViewImage(QGraphicsView& view, const QString& path, ImageFormat format,
                      const QString& title) {
    const QSize size = view.viewport()->size();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    const bool drawn =
        format == ImageFormat::Png ? WritePng(view, file, size) : WriteSvg(view, file, size, title);
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

#include "app/chart/chart_export.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QStringList>
#include <QSvgGenerator>

#include "app/chart/history_chart.h"
#include "app/widgets/window_style.h"

namespace orvex {
namespace {

constexpr double kCaptionPoints = 9;
constexpr int kCaptionMargin = 4;  // pixels round the caption
constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The caption's lines and the room they take above the chart in a picture
// `width` pixels wide.
struct Caption {
    QStringList lines;
    QFont font = DialogFont(kCaptionPoints);
    QString Text() const { return lines.join('\n'); }
    QRect Box(int width) const {
        return {kCaptionMargin, kCaptionMargin, width - 2 * kCaptionMargin,
                QFontMetrics(font)
                    .boundingRect(QRect(0, 0, width - 2 * kCaptionMargin, kLargestPicture.height()),
                                  kCaptionFlags, Text())
                    .height()};
    }
    int Height(int width) const { return Box(width).height() + 2 * kCaptionMargin; }
};

void Render(HistoryChart& chart, QPainter& painter, const QSize& size, const Caption& caption) {
    painter.fillRect(QRect(QPoint(), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(caption.font);
    painter.setPen(Qt::black);
    painter.drawText(caption.Box(size.width()), kCaptionFlags, caption.Text());
    const int top = caption.Height(size.width());
    chart.Render(painter, QRect(0, top, size.width(), size.height() - top));
}

bool WritePng(HistoryChart& chart, QSaveFile& file, const QSize& size, const Caption& caption) {
    QImage image(size, QImage::Format_ARGB32);
    QPainter painter(&image);
    Render(chart, painter, size, caption);
    painter.end();
    return image.save(&file, "PNG");
}

bool WriteSvg(HistoryChart& chart, QSaveFile& file, const QSize& size, const Caption& caption) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    svg.setResolution(chart.logicalDpiX());
    svg.setTitle(caption.lines.value(0));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    Render(chart, painter, size, caption);
    return painter.end();
}

}  // namespace

QSize ShownPictureSize(const HistoryChart& chart, const QStringList& caption) {
    const QSize shown = chart.viewport()->size();
    return (shown + QSize(0, Caption{caption}.Height(shown.width())))
        .expandedTo(kSmallestPicture)
        .boundedTo(kLargestPicture);
}

QString SaveChartPicture(HistoryChart& chart, const QString& path, ImageFormat format,
                         const QStringList& captionLines, QSize size) {
    size = size.expandedTo(kSmallestPicture).boundedTo(kLargestPicture);
    const Caption caption{captionLines};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    const bool drawn = format == ImageFormat::Png ? WritePng(chart, file, size, caption)
                                                  : WriteSvg(chart, file, size, caption);
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

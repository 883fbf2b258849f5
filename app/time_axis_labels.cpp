#include "app/time_axis_labels.h"

#include <QChart>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <algorithm>
#include <cmath>

namespace orvex {
namespace {

constexpr double kLabelSpacing = 3;  // pixels between two upright labels
constexpr int kGapBelowPlot = 4;

}  // namespace

int LabelStep(double pitch, double thickness) {
    if (pitch <= 0) {
        return 1;
    }
    return std::max(1, static_cast<int>(std::ceil((thickness + kLabelSpacing) / pitch)));
}

TimeAxisLabels::TimeAxisLabels(QChart* chart, QAbstractSeries* series, const QFont& font)
    : chart_(chart), series_(series), font_(font) {}

void TimeAxisLabels::SetTexts(const QStringList& texts) {
    texts_ = texts;
    for (QGraphicsSimpleTextItem* item : items_) {
        item->setVisible(false);
    }
    for (int i = 0; i < texts_.size(); ++i) {
        Item(i)->setText(texts_[i]);
    }
}

QGraphicsSimpleTextItem* TimeAxisLabels::Item(int index) {
    while (static_cast<int>(items_.size()) <= index) {
        auto* item = new QGraphicsSimpleTextItem(chart_);
        item->setFont(font_);
        item->setRotation(-90);
        items_.push_back(item);
    }
    return items_[index];
}

int TimeAxisLabels::Extent() const {
    const QFontMetrics metrics(font_);
    int widest = metrics.horizontalAdvance(QStringLiteral("00:00:00"));
    for (const QString& text : texts_) {
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    return widest + 2 * kGapBelowPlot;
}

int TimeAxisLabels::Place() {
    const QRectF plot = chart_->plotArea();
    const int count = static_cast<int>(texts_.size());
    if (count == 0) {
        return 1;
    }
    const int step = LabelStep(plot.width() / count, QFontMetricsF(font_).height());
    for (int i = 0; i < count; ++i) {
        QGraphicsSimpleTextItem* item = items_[i];
        item->setVisible(i % step == 0);
        // Turned upright, the text runs from its position upwards: its box
        // spans the text's height to the right and its width above.
        const QRectF box = item->boundingRect();
        const double x = chart_->mapToPosition(QPointF(i, 0), series_).x();
        item->setPos(x - box.height() / 2, plot.bottom() + kGapBelowPlot + box.width());
    }
    return step;
}

}  // namespace orvex

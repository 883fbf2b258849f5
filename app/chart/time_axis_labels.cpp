#include "app/chart/time_axis_labels.h"

#include <QChart>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <algorithm>

#include "app/widgets/window_style.h"
#include "text/locale_format.h"
#include "text/unix_time.h"

namespace orvex {
namespace {

constexpr int kGapBelowPlot = 4;
constexpr double kLabelSpacing = 3;  // pixels between two upright labels
// The longest times and dates any label shows: 2026-12-28 23:59:59 UTC.
constexpr double kWidestTime = 1798502399;

}  // namespace

TimeAxisLabels::TimeAxisLabels(QChart* chart, const LocaleFormat& format, const QFont& font)
    : chart_(chart), format_(format), font_(font), zone_(new QGraphicsSimpleTextItem(chart)) {
    zone_->setFont(font_);
    zone_->setText(QCoreApplication::translate("orvex::HistoryChart", "UTC"));
    zone_->setVisible(false);
}

double TimeAxisLabels::MinPitch() const {
    // An upright label is as thick as its lines are high; two lines with dates.
    return 2 * QFontMetricsF(font_).height() + kLabelSpacing;
}

TimeTicks TimeAxisLabels::Ticks(const TimeSpan& span) const {
    return ChooseTimeTicks(span, chart_->plotArea().width(), MinPitch());
}

int TimeAxisLabels::Extent(const TimeSpan& span) const {
    const QFontMetrics metrics(font_);
    const DateTime widest = *UnixTimeToDate(kWidestTime);
    int longest = metrics.horizontalAdvance(FromLatin1(format_.TimeOfDayText(widest)));
    if (CrossesMidnight(span)) {
        longest =
            std::max(longest, metrics.horizontalAdvance(FromLatin1(format_.DateText(widest))));
    }
    return longest + 2 * kGapBelowPlot;
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

void TimeAxisLabels::Clear() {
    texts_.clear();
    for (QGraphicsSimpleTextItem* item : items_) {
        item->setVisible(false);
    }
    zone_->setVisible(false);
}

void TimeAxisLabels::Place(const TimeSpan& span) {
    Clear();
    const QRectF plot = chart_->plotArea();
    if (span.Length() <= 0 || plot.width() <= 0) {
        return;
    }
    const TimeTicks ticks = Ticks(span);
    const bool withDate = CrossesMidnight(span);
    const double pixelsPerSecond = plot.width() / span.Length();
    for (double time = ticks.first; time <= span.last; time += ticks.step) {
        QGraphicsSimpleTextItem* item = Item(static_cast<int>(texts_.size()));
        texts_.append(FromLatin1(TickLabel(format_, time, ticks, withDate)));
        item->setText(texts_.back());
        item->setVisible(true);
        // Turned upright, the text runs from its position upwards: its box
        // spans the text's height to the right and its width above.
        const QRectF box = item->boundingRect();
        const double x = plot.left() + (time - span.first) * pixelsPerSecond;
        item->setPos(x - box.height() / 2, plot.bottom() + kGapBelowPlot + box.width());
    }
    const QRectF zone = zone_->boundingRect();
    zone_->setPos(plot.left() - zone.width() - kGapBelowPlot, plot.bottom() + kGapBelowPlot);
    zone_->setVisible(true);
}

}  // namespace orvex

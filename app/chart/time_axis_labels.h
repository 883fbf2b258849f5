#pragma once

#include <QFont>
#include <QStringList>
#include <vector>

#include "app/chart/time_ticks.h"

class QChart;
class QGraphicsSimpleTextItem;

namespace orvex {

class LocaleFormat;

// The time axis' labels, drawn below the plot by the chart's side rather
// than by a Qt axis: the texts are the locale's own (LocaleFormat), in UTC,
// upright as the chart always had them, with the date as a second line
// when the span shown crosses midnight.
class TimeAxisLabels {
public:
    TimeAxisLabels(QChart* chart, const LocaleFormat& format, const QFont& font);

    // The ticks for `span` on the chart's plot as it is now.
    TimeTicks Ticks(const TimeSpan& span) const;
    // The room below the plot that labels for `span` need.
    int Extent(const TimeSpan& span) const;
    // Labels the ticks of `span` under the plot.
    void Place(const TimeSpan& span);
    void Clear();
    const QStringList& Texts() const { return texts_; }

private:
    QGraphicsSimpleTextItem* Item(int index);
    double MinPitch() const;

    QChart* chart_;
    const LocaleFormat& format_;
    QFont font_;
    QStringList texts_;
    std::vector<QGraphicsSimpleTextItem*> items_;  // owned by the chart
    QGraphicsSimpleTextItem* zone_;                // "UTC", owned by the chart
};

}  // namespace orvex

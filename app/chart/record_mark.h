#pragma once

#include <optional>

#include "telemetry/channel_history.h"

class QChart;
class QGraphicsLineItem;

namespace orvex {

// The time of the record the panel shows, drawn as a thin line across the
// plot, so that the user sees where on the chart that record lies.
class RecordMark {
public:
    explicit RecordMark(QChart* chart);

    void SetTime(std::optional<double> time) { time_ = time; }
    std::optional<double> Time() const { return time_; }
    // Draws the line at its time on the plot as it is now, which shows
    // `span`; hides it without a time, without `points` or off the span.
    void Place(const TimeSpan& span, bool points);
    // Where the line is drawn, in the chart's coordinates; nothing while
    // hidden.
    std::optional<double> DrawnAt() const;

private:
    QChart* chart_;
    QGraphicsLineItem* line_;  // owned by the chart
    std::optional<double> time_;
};

}  // namespace orvex

#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "telemetry/telemetry_history.h"

namespace orvex {

class HistoryChart;
class TopStrip;

// Ties the chart to the record the panel shows, both ways: the chart marks
// that record's time, wherever the record scroll bar moves, and a click on a
// point of the log's history moves the scroll bar to its record, which the
// panel then shows. A point of another history (an archive's range, whose
// points are not records of the log) is not a record: a click on it does
// nothing.
class ChartRecordLink : public QObject {
    Q_OBJECT
public:
    // `records` gives the history whose records the panel shows.
    using Records = std::function<const TelemetryHistory&()>;
    ChartRecordLink(HistoryChart* chart, TopStrip* strip, Records records);

private:
    // The time of the record shown; nothing while the panel shows none.
    std::optional<double> ShownTime() const;
    void ShowRecordOf(int channel, const HistoryPoint& point);

    HistoryChart* chart_;
    TopStrip* strip_;
    Records records_;
};

}  // namespace orvex

#include "telemetry/column_extremes.h"

namespace orvex {

ColumnExtremes::ColumnExtremes(const TimeSpan& span, int columns) : span_(span) {
    if (columns > 0 && span.Length() >= 0) {
        columns_.resize(static_cast<std::size_t>(columns));
        // A span of one instant is one column wide.
        scale_ = span.Length() > 0 ? columns / span.Length() : 0;
    }
}

std::vector<HistoryPoint> ColumnExtremes::Points() const {
    std::vector<HistoryPoint> points;
    for (const Column& column : columns_) {
        if (column.count == 0) {
            continue;
        }
        if (column.low == column.high) {
            points.push_back(column.low);
        } else if (column.low.time <= column.high.time) {
            points.push_back(column.low);
            points.push_back(column.high);
        } else {
            points.push_back(column.high);
            points.push_back(column.low);
        }
    }
    return points;
}

}  // namespace orvex

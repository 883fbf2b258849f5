#pragma once

#include <cstddef>
#include <vector>

#include "telemetry/channel_history.h"

namespace orvex {

// Thins samples, given in any order, to the lowest and highest of each
// column of a span: drawn as a line, the result covers the same pixels as
// every sample would. Of equal values the earliest sample stands, so the
// result does not depend on the order of the samples.
class ColumnExtremes {
public:
    ColumnExtremes(const TimeSpan& span, int columns);

    // Inline: a chart of a long log calls it for millions of samples.
    void Add(double time, double value) {
        if (time < span_.first || time > span_.last || columns_.empty()) {
            return;
        }
        auto index = static_cast<std::size_t>((time - span_.first) * scale_);
        if (index >= columns_.size()) {
            index = columns_.size() - 1;  // the span's last instant
        }
        Column& column = columns_[index];
        const HistoryPoint point{time, value};
        if (column.count++ == 0) {
            column.low = point;
            column.high = point;
            return;
        }
        if (Before(point, column.low, value < column.low.value, value == column.low.value)) {
            column.low = point;
        }
        if (Before(point, column.high, value > column.high.value, value == column.high.value)) {
            column.high = point;
        }
    }

    std::vector<HistoryPoint> Points() const;

private:
    struct Column {
        std::size_t count = 0;
        HistoryPoint low;
        HistoryPoint high;
    };
    static bool Before(const HistoryPoint& point, const HistoryPoint& kept, bool beyond,
                       bool equal) {
        return beyond || (equal && point.time < kept.time);
    }

    TimeSpan span_;
    double scale_ = 0;  // columns per second
    std::vector<Column> columns_;
};

}  // namespace orvex

#pragma once

#include <optional>
#include <vector>

namespace orvex {

// Times are seconds since 1970-01-01 00:00:00 UTC.
struct TimeSpan {
    double first = 0;
    double last = 0;

    double Length() const { return last - first; }
    bool operator==(const TimeSpan&) const = default;
};

// One sample of a channel: its time and its calibrated value.
struct HistoryPoint {
    double time = 0;
    double value = 0;

    bool operator==(const HistoryPoint&) const = default;
};

// Where a chart takes the history of a channel from. The chart asks for the
// points of the span it shows, thinned to what its width can show, so that
// a history of millions of samples costs it no more than a few thousand.
class ChannelHistory {
public:
    virtual ~ChannelHistory() = default;

    // From the earliest to the latest sample time; nothing without samples.
    virtual std::optional<TimeSpan> Extent() const = 0;

    // The channel's samples within `span` (both ends included), the span cut
    // into `columns` equal slices: in each slice its lowest and its highest
    // sample (one point when one sample is both), slice after slice, each
    // slice's points in time order. A slice with one sample gives it whole,
    // so sparse data comes back unchanged, only sorted by time.
    virtual std::vector<HistoryPoint> Series(int channel, const TimeSpan& span,
                                             int columns) const = 0;
};

}  // namespace orvex

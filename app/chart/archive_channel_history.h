#pragma once

#include <optional>
#include <string>
#include <vector>

#include "archive/archived_extremes.h"
#include "telemetry/channel_history.h"

namespace orvex {

class ArchiveDatabase;

// A span of the archive's telemetry as the chart's history: each slice the
// chart asks for is one bucket of the archive's query, given as its lowest
// and its highest value at the bucket's start, so that a year of frames
// costs the chart a few hundred points, the database doing the reduction.
class ArchiveChannelHistory : public ChannelHistory {
public:
    // Charts `range` of the archive (its whole span of telemetry when none):
    // finds the telemetry times it holds there. False, with the reason in
    // Problem(), when the archive cannot be read.
    bool Show(ArchiveDatabase& database, const std::optional<ArchiveSpan>& range);
    // The span of the hours of telemetry within the range; nothing when it
    // holds none.
    const std::optional<ArchiveSpan>& Held() const { return held_; }
    // Why the last query failed; empty when it did not.
    const std::string& Problem() const { return problem_; }

    // The range asked for, or the span held when the whole was.
    std::optional<TimeSpan> Extent() const override;
    std::vector<HistoryPoint> Series(int channel, const TimeSpan& span, int columns) const override;

private:
    ArchiveDatabase* database_ = nullptr;
    std::optional<ArchiveSpan> range_;
    std::optional<ArchiveSpan> held_;
    mutable std::string problem_;
};

}  // namespace orvex

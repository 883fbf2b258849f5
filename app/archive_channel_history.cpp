#include "app/archive_channel_history.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace orvex {
namespace {

constexpr std::int64_t kHour = 3600;  // seconds
// A frame's time is 32 bits of seconds since 1970.
constexpr std::int64_t kLatestFrameTime = std::numeric_limits<std::uint32_t>::max();

}  // namespace

// Asked of the archive's extremes rather than of its tables, whose layout
// is the archive's own: one bucket an hour across the range finds the first
// and the last hour with telemetry, and one a second across each of those
// two finds its first and last second, as finely as the archive keeps them.
std::optional<ArchiveSpan> ArchivedTlmTimes(ArchiveDatabase& database,
                                            const std::optional<ArchiveSpan>& range,
                                            std::string& problem) {
    // Any channel will do: every TLM frame has all of them.
    const auto buckets = [&](ArchiveSpan span, std::int64_t width) {
        const std::int64_t count = (span.to - span.from + width) / width;
        return ArchivedExtremes(database, 0, span, static_cast<int>(count), problem);
    };
    const ArchiveSpan within = range.value_or(ArchiveSpan{0, kLatestFrameTime});
    const auto hours = buckets(within, kHour);
    if (!hours || hours->empty()) {
        return std::nullopt;
    }
    // The buckets are an hour wide or a little less.
    const auto hourOf = [&](std::int64_t start) {
        return ArchiveSpan{start, std::min(start + kHour - 1, within.to)};
    };
    const auto first = buckets(hourOf(hours->front().start), 1);
    const auto last = buckets(hourOf(hours->back().start), 1);
    if (!first || !last || first->empty() || last->empty()) {
        return std::nullopt;
    }
    return ArchiveSpan{first->front().start, last->back().start};
}

bool ArchiveChannelHistory::Show(ArchiveDatabase& database,
                                 const std::optional<ArchiveSpan>& range) {
    database_ = &database;
    range_ = range;
    problem_.clear();
    held_ = ArchivedTlmTimes(database, range, problem_);
    return problem_.empty();
}

std::optional<TimeSpan> ArchiveChannelHistory::Extent() const {
    const std::optional<ArchiveSpan>& shown = range_ ? range_ : held_;
    if (!shown) {
        return std::nullopt;
    }
    return TimeSpan{static_cast<double>(shown->from), static_cast<double>(shown->to)};
}

std::vector<HistoryPoint> ArchiveChannelHistory::Series(int channel, const TimeSpan& span,
                                                        int columns) const {
    std::vector<HistoryPoint> points;
    if (database_ == nullptr || !held_ || columns < 1) {
        return points;
    }
    // Whole seconds, as the archive keeps them, covering the span asked.
    const ArchiveSpan asked{static_cast<std::int64_t>(std::floor(span.first)),
                            static_cast<std::int64_t>(std::ceil(span.last))};
    const auto buckets = ArchivedExtremes(*database_, channel, asked, columns, problem_);
    if (!buckets) {
        return points;
    }
    points.reserve(buckets->size() * 2);
    for (const HistoryBucket& bucket : *buckets) {
        const auto time = static_cast<double>(bucket.start);
        points.push_back({time, bucket.min});
        if (bucket.max != bucket.min) {
            points.push_back({time, bucket.max});
        }
    }
    return points;
}

}  // namespace orvex

#include "app/chart/archive_channel_history.h"

#include <cmath>
#include <cstdint>

namespace orvex {

bool ArchiveChannelHistory::Show(ArchiveDatabase& database,
                                 const std::optional<ArchiveSpan>& range) {
    database_ = &database;
    range_ = range;
    problem_.clear();
    held_ = ArchivedTelemetrySpan(database, range, problem_);
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

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_database.h"

namespace orvex {

// A span of frame times, in seconds since 1970 UTC, both ends included.
struct ArchiveSpan {
    std::int64_t from = 0;
    std::int64_t to = 0;
};

// One bucket of a channel's history: its lowest and highest value among the
// TLM frames of the hours that begin in [start, start + the bucket's width);
// the span's first bucket also takes the hour the span begins in.
struct HistoryBucket {
    std::int64_t start = 0;
    double min = 0;
    double max = 0;

    bool operator==(const HistoryBucket&) const = default;
};

// A channel's history from the archive, cut into `bucketCount` buckets of
// equal width across the span: the database reduces a year of hours to the
// few hundred points a chart draws. The archive keeps each hour's extremes,
// so buckets narrower than an hour leave gaps between the hours. Buckets
// without a value of the channel are left out.
// Nothing, with the reason in `problem`, when the query fails.
std::optional<std::vector<HistoryBucket>> ArchivedExtremes(ArchiveDatabase& database, int channel,
                                                           ArchiveSpan span, int bucketCount,
                                                           std::string& problem);

// The span of the hours of TLM frames the archive holds within `range` (all
// of it when none), cut to the range: the chart's extent for "all" of the
// archive. Nothing when it holds none there, or, with the reason in
// `problem`, when the query fails.
std::optional<ArchiveSpan> ArchivedTelemetrySpan(ArchiveDatabase& database,
                                                 const std::optional<ArchiveSpan>& range,
                                                 std::string& problem);

}  // namespace orvex

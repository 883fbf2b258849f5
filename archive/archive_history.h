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
// TLM frames whose time falls in [start, start + the bucket's width).
struct HistoryBucket {
    std::int64_t start = 0;
    double min = 0;
    double max = 0;

    bool operator==(const HistoryBucket&) const = default;
};

// A channel's history from the archive, cut into `bucketCount` buckets of
// equal width across the span: the database reduces a year of frames to the
// few hundred points a chart draws. Buckets without frames are left out.
// Nothing, with the reason in `problem`, when the query fails.
std::optional<std::vector<HistoryBucket>> ArchivedExtremes(ArchiveDatabase& database, int channel,
                                                           ArchiveSpan span, int bucketCount,
                                                           std::string& problem);

}  // namespace orvex

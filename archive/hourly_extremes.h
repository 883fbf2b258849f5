#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "telemetry/channel_table.h"

namespace orvex {

class TlmFrame;

// Each channel's lowest and highest calibrated value per hour of TLM frames,
// as the chart reads the archive's history: a year is 8,760 rows, which the
// database reduces to a chart's few hundred buckets in well under a second.
class HourlyExtremes {
public:
    static constexpr std::int64_t kHourSeconds = 3600;

    void Add(const TlmFrame& frame);
    void Clear() { hours_.clear(); }

    // Statements that merge these hours into `tlm_hourly`, each hour's
    // extremes with those stored already; written in PostgreSQL's words,
    // which ArchiveDatabase::Dialect turns into SQLite's.
    std::vector<QString> MergeStatements() const;

private:
    struct Hour {
        std::array<double, kChannelCount> low{};
        std::array<double, kChannelCount> high{};
    };

    std::map<std::int64_t, Hour> hours_;
};

// The columns of a channel's extremes in `tlm_hourly`: "c07_low", "c07_high".
QString LowColumn(int channel);
QString HighColumn(int channel);

}  // namespace orvex

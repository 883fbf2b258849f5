#pragma once

#include <QSqlQuery>
#include <QString>

#include <array>
#include <cstdint>
#include <limits>
#include <map>

#include "telemetry/channel_table.h"

namespace orvex {

class TlmFrame;

// Each channel's lowest and highest calibrated value per hour of TLM frames,
// as the chart reads the archive's history: a year is 8,760 rows, which the
// database reduces to a chart's few hundred buckets (bench/README.md).
// A channel that a short frame does not hold counts for nothing.
class HourlyExtremes {
public:
    static constexpr std::int64_t kHourSeconds = 3600;
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

    struct Hour {
        Hour() {
            low.fill(kNone);
            high.fill(kNone);
        }
        std::array<double, kChannelCount> low;
        std::array<double, kChannelCount> high;
    };

    void Add(const TlmFrame& frame);
    const std::map<std::int64_t, Hour>& Hours() const { return hours_; }
    void Clear() { hours_.clear(); }

    // The statement that merges `rows` hours into telemetry_hourly, each
    // hour's extremes with those stored already, in the dialect's shared
    // words. Prepared once and bound (BindHour) for every hour: written out
    // as text, a long log's values were slow for SQLite to parse
    // (bench/README.md).
    static QString MergeStatement(int rows);
    // Binds the hour that is `row` of the statement's rows.
    static void BindHour(QSqlQuery& merge, int row, std::int64_t hour, const Hour& extremes);

private:
    std::map<std::int64_t, Hour> hours_;
};

}  // namespace orvex

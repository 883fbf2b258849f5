#pragma once

#include <QSqlQuery>
#include <QString>

#include <array>
#include <cstdint>
#include <map>

#include "telemetry/channel_table.h"

namespace orvex {

class TlmFrame;

// Each channel's lowest and highest calibrated value per hour of TLM frames,
// as the chart reads the archive's history: a year is 8,760 rows, which the
// database reduces to a chart's few hundred buckets (bench/README.md).
class HourlyExtremes {
public:
    static constexpr std::int64_t kHourSeconds = 3600;

    struct Hour {
        std::array<double, kChannelCount> low{};
        std::array<double, kChannelCount> high{};
    };

    void Add(const TlmFrame& frame);
    const std::map<std::int64_t, Hour>& Hours() const { return hours_; }

    // The statement that merges `rows` hours into `tlm_hourly`, each hour's
    // extremes with those stored already, in PostgreSQL's words, which
    // ArchiveDatabase::Dialect turns into SQLite's. Prepared once and bound
    // (BindHour) for every hour: written out as text, a long log's values
    // were slow for SQLite to parse (bench/README.md).
    static QString MergeStatement(int rows);
    // Binds the hour that is `row` of the statement's rows.
    static void BindHour(QSqlQuery& merge, int row, std::int64_t hour, const Hour& extremes);

private:
    std::map<std::int64_t, Hour> hours_;
};

// The columns of a channel's extremes in `tlm_hourly`: "c07_low", "c07_high".
QString LowColumn(int channel);
QString HighColumn(int channel);

}  // namespace orvex

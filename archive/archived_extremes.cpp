#include "archive/archived_extremes.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

#include "archive/archive_schema.h"
#include "archive/hourly_extremes.h"
#include "archive/sql_dialect.h"

namespace orvex {
namespace {

constexpr std::int64_t kHour = HourlyExtremes::kHourSeconds;

std::int64_t HourStart(std::int64_t seconds) {
    return seconds - seconds % kHour;
}

}  // namespace

std::optional<std::vector<HistoryBucket>> ArchivedExtremes(ArchiveDatabase& database, int channel,
                                                           ArchiveSpan span, int bucketCount,
                                                           std::string& problem) {
    // Rounded up, so that the last bucket ends past the span's end.
    const std::int64_t seconds = span.to - span.from + 1;
    const std::int64_t width = std::max<std::int64_t>(1, (seconds + bucketCount - 1) / bucketCount);
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    // An hour that begins before the span counts from the span's start; an
    // hour without a value of the channel counts for nothing.
    const QString statement = QStringLiteral(
                                  "SELECT (GREATEST(%1, ?) - ?) / ? AS bucket, MIN(%2), MAX(%3) "
                                  "FROM telemetry_hourly WHERE hour_utc >= ? AND hour_utc <= ? "
                                  "AND %2 IS NOT NULL GROUP BY bucket ORDER BY bucket")
                                  .arg(database.Dialect().Seconds(QStringLiteral("hour_utc")),
                                       LowColumn(channel), HighColumn(channel));
    if (!database.Prepare(query, statement)) {
        problem = database.LastError();
        return std::nullopt;
    }
    query.addBindValue(static_cast<qint64>(span.from));
    query.addBindValue(static_cast<qint64>(span.from));
    query.addBindValue(static_cast<qint64>(width));
    query.addBindValue(TimeText(HourStart(span.from)));
    query.addBindValue(TimeText(HourStart(span.to)));
    if (!database.Run(query)) {
        problem = database.LastError();
        return std::nullopt;
    }
    std::vector<HistoryBucket> buckets;
    while (query.next()) {
        buckets.push_back({span.from + query.value(0).toLongLong() * width,
                           query.value(1).toDouble(), query.value(2).toDouble()});
    }
    return buckets;
}

std::optional<ArchiveSpan> ArchivedTelemetrySpan(ArchiveDatabase& database,
                                                 const std::optional<ArchiveSpan>& range,
                                                 std::string& problem) {
    // A frame's time is 32 bits of seconds since 1970.
    const ArchiveSpan within = range.value_or(ArchiveSpan{0, UINT32_MAX});
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    const SqlDialect& dialect = database.Dialect();
    const QString statement =
        QStringLiteral("SELECT %1, %2 FROM telemetry_hourly WHERE hour_utc >= ? AND hour_utc <= ?")
            .arg(dialect.Seconds(QStringLiteral("MIN(hour_utc)")),
                 dialect.Seconds(QStringLiteral("MAX(hour_utc)")));
    if (!database.Prepare(query, statement)) {
        problem = database.LastError();
        return std::nullopt;
    }
    query.addBindValue(TimeText(HourStart(within.from)));
    query.addBindValue(TimeText(HourStart(within.to)));
    if (!database.Run(query) || !query.next()) {
        problem = database.LastError();
        return std::nullopt;
    }
    if (query.value(0).isNull()) {
        return std::nullopt;
    }
    return ArchiveSpan{std::max<std::int64_t>(within.from, query.value(0).toLongLong()),
                       std::min<std::int64_t>(within.to, query.value(1).toLongLong() + kHour - 1)};
}

}  // namespace orvex

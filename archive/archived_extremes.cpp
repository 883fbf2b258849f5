#include "archive/archive_history.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

#include "archive/hourly_extremes.h"

namespace orvex {

std::optional<std::vector<HistoryBucket>> ArchivedExtremes(ArchiveDatabase& database, int channel,
                                                           ArchiveSpan span, int bucketCount,
                                                           std::string& problem) {
    // Rounded up, so that the last bucket ends past the span's end.
    const std::int64_t seconds = span.to - span.from + 1;
    const std::int64_t width = std::max<std::int64_t>(1, (seconds + bucketCount - 1) / bucketCount);
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    // An hour that begins before the span counts from the span's start.
    query.prepare(database.Dialect(
        QStringLiteral("SELECT (GREATEST(hour * %1, ?) - ?) / ? AS bucket, MIN(%2), MAX(%3) "
                       "FROM tlm_hourly WHERE hour >= ? AND hour <= ? GROUP BY bucket "
                       "ORDER BY bucket")
            .arg(HourlyExtremes::kHourSeconds)
            .arg(LowColumn(channel), HighColumn(channel))));
    query.addBindValue(static_cast<qint64>(span.from));
    query.addBindValue(static_cast<qint64>(span.from));
    query.addBindValue(static_cast<qint64>(width));
    query.addBindValue(static_cast<qint64>(span.from / HourlyExtremes::kHourSeconds));
    query.addBindValue(static_cast<qint64>(span.to / HourlyExtremes::kHourSeconds));
    if (!query.exec()) {
        database.NoteError(query.lastError().text());
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
    constexpr std::int64_t kHour = HourlyExtremes::kHourSeconds;
    // A frame's time is 32 bits of seconds since 1970.
    const ArchiveSpan within = range.value_or(ArchiveSpan{0, UINT32_MAX});
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT MIN(hour), MAX(hour) FROM tlm_hourly WHERE hour >= ? AND hour <= ?"));
    query.addBindValue(static_cast<qint64>(within.from / kHour));
    query.addBindValue(static_cast<qint64>(within.to / kHour));
    if (!query.exec() || !query.next()) {
        database.NoteError(query.lastError().text());
        problem = database.LastError();
        return std::nullopt;
    }
    if (query.value(0).isNull()) {
        return std::nullopt;
    }
    return ArchiveSpan{
        std::max<std::int64_t>(within.from, query.value(0).toLongLong() * kHour),
        std::min<std::int64_t>(within.to, query.value(1).toLongLong() * kHour + kHour - 1)};
}

}  // namespace orvex

#include "archive/archive_history.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

#include "archive/archive_schema.h"

namespace orvex {

std::optional<std::vector<HistoryBucket>> ArchivedExtremes(ArchiveDatabase& database, int channel,
                                                           ArchiveSpan span, int bucketCount,
                                                           std::string& problem) {
    // Rounded up, so that the last bucket ends past the span's end.
    const std::int64_t seconds = span.to - span.from + 1;
    const std::int64_t width = std::max<std::int64_t>(1, (seconds + bucketCount - 1) / bucketCount);
    const QString column = TlmColumn(channel);
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT (time - ?) / ? AS bucket, MIN(%1), MAX(%1) FROM tlm "
                                 "WHERE time >= ? AND time <= ? GROUP BY bucket ORDER BY bucket")
                      .arg(column));
    query.addBindValue(static_cast<qint64>(span.from));
    query.addBindValue(static_cast<qint64>(width));
    query.addBindValue(static_cast<qint64>(span.from));
    query.addBindValue(static_cast<qint64>(span.to));
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

}  // namespace orvex

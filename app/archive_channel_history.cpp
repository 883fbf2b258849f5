#include "app/archive_channel_history.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <cmath>
#include <limits>

#include "archive/archive_database.h"

namespace orvex {

std::optional<ArchiveSpan> ArchivedTlmTimes(ArchiveDatabase& database,
                                            const std::optional<ArchiveSpan>& range,
                                            std::string& problem) {
    const ArchiveSpan within =
        range.value_or(ArchiveSpan{0, std::numeric_limits<std::int64_t>::max()});
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    // Both ends are read from the time index alone.
    query.prepare(
        QStringLiteral("SELECT MIN(time), MAX(time) FROM tlm WHERE time >= ? AND "
                       "time <= ?"));
    query.addBindValue(static_cast<qint64>(within.from));
    query.addBindValue(static_cast<qint64>(within.to));
    if (!query.exec() || !query.next()) {
        database.NoteError(query.lastError().text());
        problem = database.LastError();
        return std::nullopt;
    }
    if (query.value(0).isNull()) {
        return std::nullopt;
    }
    return ArchiveSpan{query.value(0).toLongLong(), query.value(1).toLongLong()};
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

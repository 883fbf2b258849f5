#include "archive/block_writer.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <vector>

namespace orvex {
namespace {

QVariant TimeValue(std::optional<std::uint32_t> time) {
    return time ? QVariant(static_cast<qint64>(*time)) : QVariant(QMetaType::fromType<qint64>());
}

// An empty value is bound as itself: Qt binds a null QByteArray as NULL.
QByteArray Packed(const QByteArray& value) {
    return value.isNull() ? QByteArray("") : value;
}

bool Run(ArchiveDatabase& database, QSqlQuery& query) {
    if (query.exec()) {
        return true;
    }
    database.NoteError(query.lastError().text());
    return false;
}

}  // namespace

BlockWriter::BlockWriter(ArchiveDatabase& database, KnownFrames& known, std::string station,
                         std::string logName)
    : database_(database),
      station_(std::move(station)),
      logName_(std::move(logName)),
      known_(known) {}

bool BlockWriter::Start() {
    QSqlQuery query(database_.Connection());
    const QString station = QString::fromLocal8Bit(station_);
    const QString name = QString::fromLocal8Bit(logName_);
    query.prepare(
        QStringLiteral("INSERT INTO logs (station, name) VALUES (?, ?) ON CONFLICT DO NOTHING"));
    query.addBindValue(station);
    query.addBindValue(name);
    if (Run(database_, query)) {
        query.prepare(QStringLiteral("SELECT id FROM logs WHERE station = ? AND name = ?"));
        query.addBindValue(station);
        query.addBindValue(name);
        if (Run(database_, query) && query.next()) {
            heard_.emplace(query.value(0).toLongLong());
        }
    }
    if (!heard_ ||
        !Prepare(
            insertBlock_,
            QStringLiteral("INSERT INTO blocks (log_id, time_from, time_to, frame_count, frames, "
                           "digests, hearing_count, hearings) VALUES (?, ?, ?, ?, ?, ?, ?, ?) "
                           "RETURNING id")) ||
        !Prepare(mergeOne_, HourlyExtremes::MergeStatement(1)) ||
        !Prepare(mergeGroup_, HourlyExtremes::MergeStatement(kMergedHours))) {
        Fail(database_.LastError());
        return false;
    }
    return true;
}

bool BlockWriter::Prepare(QSqlQuery& query, const QString& statement) {
    query = QSqlQuery(database_.Connection());
    if (query.prepare(database_.Dialect(statement))) {
        return true;
    }
    database_.NoteError(query.lastError().text());
    return false;
}

bool BlockWriter::Write(const PendingBlock& pending) {
    if (problem_ || !heard_) {
        return false;
    }
    std::int64_t id = 0;
    if (Lock() && known_.CatchUp(database_) && heard_->CatchUp(database_) && MakeRoom(pending)) {
        ArchiveCounts added;
        const FrameBlock block = Compose(pending, added);
        const bool adds = block.FrameCount() > 0 || block.HearingCount() > 0;
        if ((!adds || Insert(block, id)) && MergeExtremes(pending.Extremes()) &&
            database_.Commit()) {
            known_.Stored(id);
            heard_->Stored(id);
            counts_.frames += added.frames;
            counts_.newFrames += added.newFrames;
            counts_.newReceptions += added.newReceptions;
            return true;
        }
    }
    database_.Rollback();
    known_.Forget();
    Fail(database_.LastError());
    return false;
}

bool BlockWriter::MakeRoom(const PendingBlock& pending) {
    if (known_.Reserve(pending.FrameCount())) {
        return true;
    }
    database_.NoteError(QStringLiteral("it holds more frames than one load can tell apart"));
    return false;
}

// One writer at a time: each finds every block written before its own.
// SQLite's immediate transaction holds the file's write lock; PostgreSQL's
// lock on the blocks table lets readers through.
bool BlockWriter::Lock() {
    return database_.Begin() &&
           (!database_.IsPostgres() ||
            database_.Exec(QStringLiteral("LOCK TABLE blocks IN SHARE ROW EXCLUSIVE MODE")));
}

FrameBlock BlockWriter::Compose(const PendingBlock& pending, ArchiveCounts& added) {
    const std::vector<PendingBlock::Entry>& entries = pending.Entries();
    std::vector<FrameDigest> digests;
    digests.reserve(entries.size());
    for (const PendingBlock::Entry& entry : entries) {
        digests.push_back(FrameDigest::Of(pending.BytesOf(entry)));
    }
    // Each lookup is announced this many frames ahead: about as many as the
    // memory serves at once.
    constexpr std::size_t kLookAhead = 16;
    FrameBlock block(entries.size(), pending.ByteCount());
    for (std::size_t at = 0; at < entries.size(); ++at) {
        if (at + kLookAhead < entries.size()) {
            known_.Prefetch(digests[at + kLookAhead]);
        }
        const PendingBlock::Entry& entry = entries[at];
        const KnownFrames::Place place = known_.FindOrAdd(digests[at], block.FrameCount());
        if (place.isNew) {
            block.AddFrame({pending.BytesOf(entry), entry.time, entry.timeExact, entry.offset},
                           digests[at]);
        }
        if (!heard_->Heard(entry.offset)) {
            block.AddHearing({entry.offset, place.where});
        }
    }
    added.frames = entries.size();
    added.newFrames = block.FrameCount();
    added.newReceptions = block.HearingCount();
    return block;
}

bool BlockWriter::Insert(const FrameBlock& block, std::int64_t& id) {
    QSqlQuery& query = insertBlock_;
    query.bindValue(0, static_cast<qint64>(heard_->LogId()));
    query.bindValue(1, TimeValue(block.TimeFrom()));
    query.bindValue(2, TimeValue(block.TimeTo()));
    query.bindValue(3, block.FrameCount());
    query.bindValue(4, Packed(block.Frames()));
    query.bindValue(5, Packed(block.Digests()));
    query.bindValue(6, block.HearingCount());
    query.bindValue(7, Packed(block.Hearings()));
    if (!Run(database_, query) || !query.next()) {
        return false;
    }
    id = query.value(0).toLongLong();
    query.finish();
    return true;
}

// Hours in groups, then the rest one by one: a group is one round trip to
// PostgreSQL rather than one an hour.
bool BlockWriter::MergeExtremes(const HourlyExtremes& extremes) {
    const auto& hours = extremes.Hours();
    auto next = hours.begin();
    for (std::size_t left = hours.size(); left > 0;) {
        const int rows = left >= kMergedHours ? kMergedHours : 1;
        QSqlQuery& merge = rows == 1 ? mergeOne_ : mergeGroup_;
        for (int row = 0; row < rows; ++row, ++next) {
            HourlyExtremes::BindHour(merge, row, next->first, next->second);
        }
        if (!Run(database_, merge)) {
            return false;
        }
        left -= static_cast<std::size_t>(rows);
    }
    return true;
}

void BlockWriter::Fail(const std::string& reason) {
    problem_ = reason;
}

}  // namespace orvex

#include "archive/archive_writer.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

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

ArchiveWriter::ArchiveWriter(ArchiveDatabase& database, std::string station, std::string logName,
                             std::size_t blockFrames)
    : database_(database),
      station_(std::move(station)),
      logName_(std::move(logName)),
      blockFrames_(blockFrames) {}

bool ArchiveWriter::Start() {
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
            logId_ = query.value(0).toLongLong();
        }
    }
    if (!logId_) {
        Fail(database_.LastError());
        return false;
    }
    return true;
}

void ArchiveWriter::OnTlmFrame(const TlmFrame& frame) {
    if (!problem_) {
        extremes_.Add(frame);
    }
}

void ArchiveWriter::OnFrameRead(const Frame& frame, FrameOutcome outcome) {
    if (outcome != FrameOutcome::Decoded || problem_ || !logId_) {
        return;
    }
    PendingFrame pending;
    pending.at = pendingBytes_.size();
    pending.length = frame.length;
    pendingBytes_.append(reinterpret_cast<const char*>(frame.bytes.data()), frame.length);
    pending.digest = FrameDigest::Of(std::string_view(pendingBytes_).substr(pending.at));
    pending.offset = frame.logOffset;
    const std::optional<std::uint32_t> own = CarriedTime(frame);
    pending.timeExact = own.has_value();
    if (own) {
        lastTime_ = own;
    }
    pending.time = lastTime_;
    block_.push_back(pending);
    if (block_.size() >= blockFrames_) {
        WriteBlock();
    }
}

bool ArchiveWriter::Finish() {
    if (!block_.empty() && !problem_) {
        WriteBlock();
    }
    // A checkpoint that cannot be made now, as another connection reads,
    // is made by a later one: nothing is lost.
    if (!database_.IsPostgres()) {
        database_.Exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
    }
    return !problem_;
}

void ArchiveWriter::WriteBlock() {
    std::int64_t id = 0;
    if (Lock() && known_.CatchUp(database_, *logId_) && MakeRoom()) {
        ArchiveCounts added;
        const FrameBlock block = Compose(added);
        const bool adds = block.FrameCount() > 0 || block.HearingCount() > 0;
        if ((!adds || Insert(block, id)) && MergeExtremes() && database_.Commit()) {
            known_.Stored(id);
            counts_.frames += added.frames;
            counts_.newFrames += added.newFrames;
            counts_.newReceptions += added.newReceptions;
            block_.clear();
            pendingBytes_.clear();
            extremes_.Clear();
            return;
        }
    }
    database_.Rollback();
    Fail(database_.LastError());
}

// One writer at a time: each finds every block written before its own.
// SQLite's immediate transaction holds the file's write lock; PostgreSQL's
// lock on the blocks table lets readers through.
bool ArchiveWriter::Lock() {
    return database_.Begin() &&
           (!database_.IsPostgres() ||
            database_.Exec(QStringLiteral("LOCK TABLE blocks IN SHARE ROW EXCLUSIVE MODE")));
}

bool ArchiveWriter::MakeRoom() {
    if (known_.Reserve(block_.size())) {
        return true;
    }
    database_.NoteError(QStringLiteral("it holds more frames than one load can tell apart"));
    return false;
}

FrameBlock ArchiveWriter::Compose(ArchiveCounts& added) {
    // Each lookup is announced this many frames ahead: about as many as
    // the memory serves at once.
    constexpr std::size_t kLookAhead = 16;
    FrameBlock block(block_.size(), pendingBytes_.size());
    for (std::size_t at = 0; at < block_.size(); ++at) {
        if (at + kLookAhead < block_.size()) {
            known_.Prefetch(block_[at + kLookAhead].digest);
        }
        const PendingFrame& frame = block_[at];
        const std::string_view bytes(pendingBytes_.data() + frame.at, frame.length);
        const KnownFrames::Place place = known_.FindOrAdd(frame.digest, block.FrameCount());
        if (place.isNew) {
            block.AddFrame({bytes, frame.time, frame.timeExact, frame.offset}, frame.digest);
        }
        if (!known_.Heard(frame.offset)) {
            block.AddHearing({frame.offset, place.where});
        }
    }
    added.frames = block_.size();
    added.newFrames = block.FrameCount();
    added.newReceptions = block.HearingCount();
    return block;
}

bool ArchiveWriter::Insert(const FrameBlock& block, std::int64_t& id) {
    QSqlQuery query(database_.Connection());
    query.prepare(
        QStringLiteral("INSERT INTO blocks (log_id, time_from, time_to, frame_count, frames, "
                       "digests, hearing_count, hearings) VALUES (?, ?, ?, ?, ?, ?, ?, ?) "
                       "RETURNING id"));
    query.addBindValue(static_cast<qint64>(*logId_));
    query.addBindValue(TimeValue(block.TimeFrom()));
    query.addBindValue(TimeValue(block.TimeTo()));
    query.addBindValue(block.FrameCount());
    query.addBindValue(Packed(block.Frames()));
    query.addBindValue(Packed(block.Digests()));
    query.addBindValue(block.HearingCount());
    query.addBindValue(Packed(block.Hearings()));
    if (!Run(database_, query) || !query.next()) {
        return false;
    }
    id = query.value(0).toLongLong();
    return true;
}

bool ArchiveWriter::MergeExtremes() {
    for (const QString& statement : extremes_.MergeStatements()) {
        if (!database_.Exec(database_.Dialect(statement))) {
            return false;
        }
    }
    return true;
}

void ArchiveWriter::Fail(const std::string& reason) {
    problem_ = reason;
    block_.clear();
    pendingBytes_.clear();
    extremes_.Clear();
}

}  // namespace orvex

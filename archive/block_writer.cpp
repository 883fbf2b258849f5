#include "archive/block_writer.h"

#include <QSqlQuery>
#include <QVariant>

namespace orvex {

BlockWriter::BlockWriter(ArchiveDatabase& database, ArchiveRows& rows, KnownFrames& known,
                         std::string station, std::string logPath)
    : database_(database),
      station_(std::move(station)),
      logPath_(std::move(logPath)),
      rows_(rows),
      known_(known) {}

bool BlockWriter::Write(const PendingBlock& pending) {
    if (problem_) {
        return false;
    }
    ArchiveCounts added;
    if (database_.Begin() && WriteLocked(pending, added) && database_.Commit()) {
        known_.Stored();
        registered_ = true;
        counts_.frames += added.frames;
        counts_.newFrames += added.newFrames;
        counts_.newReceptions += added.newReceptions;
        return true;
    }
    database_.Rollback();
    known_.Forget();
    logId_.reset();  // it may have been added in the block rolled back
    return Fail(database_.LastError());
}

// Until its new pages are summarized, the BRIN index of the frames' time
// sends every query by time through all of them: right after a year was
// imported, a day's query read the whole table (250 ms instead of 20).
// Only the table's owner may summarize; for another station's role the
// failure is harmless, and autovacuum summarizes later.
void BlockWriter::IndexNewFrames() {
    if (database_.Dialect().IsPostgres() && counts_.newFrames > 0) {
        QSqlQuery query(database_.Connection());
        query.exec(QStringLiteral("SELECT brin_summarize_new_values('frame_store_by_time')"));
    }
}

bool BlockWriter::WriteLocked(const PendingBlock& pending, ArchiveCounts& added) {
    if (!known_.CatchUp(database_)) {
        return false;
    }
    if (!known_.Reserve(pending.FrameCount())) {
        database_.NoteError(QStringLiteral("it holds more frames than one program can tell apart"));
        return false;
    }
    std::vector<FrameDigest> digests;
    const std::vector<FrameLookup> found = LookUp(pending, digests);
    if (found.empty()) {
        return true;
    }
    if (!logId_ && !FindLog(found.front().id)) {
        return false;
    }
    const std::uint64_t receptionsBefore = rows_.ReceptionsAdded();
    const auto& entries = pending.Entries();
    for (std::size_t at = 0; at < entries.size(); ++at) {
        const PendingBlock::Entry& entry = entries[at];
        if (found[at].isNew) {
            ++added.newFrames;
            if (!rows_.AddFrame(found[at].id, pending.BytesOf(entry), digests[at], entry.heard,
                                *logId_)) {
                return false;
            }
        }
        if (!rows_.AddReception(*logId_, entry.heard, found[at].id)) {
            return false;
        }
    }
    if (!rows_.Flush()) {
        return false;
    }
    added.frames = entries.size();
    added.newReceptions = rows_.ReceptionsAdded() - receptionsBefore;
    return true;
}

// Each lookup is announced this many frames ahead: about as many as the
// memory serves at once.
std::vector<FrameLookup> BlockWriter::LookUp(const PendingBlock& pending,
                                             std::vector<FrameDigest>& digests) {
    constexpr std::size_t kLookAhead = 16;
    const auto& entries = pending.Entries();
    digests.reserve(entries.size());
    for (const PendingBlock::Entry& entry : entries) {
        digests.push_back(FrameDigest::Of(pending.BytesOf(entry)));
    }
    std::vector<FrameLookup> found;
    found.reserve(entries.size());
    for (std::size_t at = 0; at < entries.size(); ++at) {
        if (at + kLookAhead < entries.size()) {
            known_.Prefetch(digests[at + kLookAhead]);
        }
        found.push_back(known_.FindOrAdd(digests[at]));
    }
    return found;
}

// The log as the archive knows it, or a new one numbered on from the
// highest: under the write lock no one else adds a log meanwhile.
bool BlockWriter::FindLog(std::int64_t firstFrame) {
    QSqlQuery query(database_.Connection());
    if (!database_.Prepare(query, QStringLiteral("SELECT id FROM logs WHERE station = ? AND "
                                                 "path = ? AND first_frame_id = ?"))) {
        return false;
    }
    const QString station = QString::fromLocal8Bit(station_);
    const QString path = QString::fromLocal8Bit(logPath_);
    query.addBindValue(station);
    query.addBindValue(path);
    query.addBindValue(static_cast<qint64>(firstFrame));
    if (!database_.Run(query)) {
        return false;
    }
    if (query.next()) {
        logId_ = query.value(0).toLongLong();
        return true;
    }
    if (!database_.Prepare(query, QStringLiteral("SELECT COALESCE(MAX(id), 0) + 1 FROM logs")) ||
        !database_.Run(query) || !query.next()) {
        return false;
    }
    const std::int64_t id = query.value(0).toLongLong();
    if (!database_.Prepare(query, QStringLiteral("INSERT INTO logs (id, station, path, "
                                                 "first_frame_id) VALUES (?, ?, ?, ?)"))) {
        return false;
    }
    query.addBindValue(static_cast<qint64>(id));
    query.addBindValue(station);
    query.addBindValue(path);
    query.addBindValue(static_cast<qint64>(firstFrame));
    if (!database_.Run(query)) {
        return false;
    }
    logId_ = id;
    return true;
}

bool BlockWriter::Fail(const std::string& reason) {
    problem_ = reason;
    return false;
}

}  // namespace orvex

#pragma once

#include <QSqlQuery>

#include <cstdint>
#include <optional>
#include <string>

#include "archive/archive_counts.h"
#include "archive/archive_database.h"
#include "archive/frame_block.h"
#include "archive/heard_offsets.h"
#include "archive/known_frames.h"
#include "archive/pending_block.h"

namespace orvex {

// Writes one station's log into the archive a block at a time: each block's
// frames the archive did not hold, every hearing of them not stored yet, and
// the hours' extremes, in one transaction that holds the archive's write
// lock, so that a load that stops or fails leaves whole frames only and two
// stations writing the same frames at once store them once. After a failure
// it writes nothing more.
class BlockWriter {
public:
    // `logName` tells this log from the station's others: adding it again
    // adds only the hearings not yet stored. `known` is the program run's,
    // kept from one load to the next.
    BlockWriter(ArchiveDatabase& database, KnownFrames& known, std::string station,
                std::string logName);

    // Registers the log; false (see Problem, the reason) when the archive
    // cannot be written.
    bool Start();
    bool Write(const PendingBlock& pending);

    const ArchiveCounts& Counts() const { return counts_; }
    const std::optional<std::string>& Problem() const { return problem_; }

private:
    // Hours merged by one statement: one round trip to PostgreSQL rather
    // than one an hour. Not more: Qt asks SQLite the name of each value
    // bound, which SQLite finds by a search through the statement's, so a
    // statement of more hours is slower to prepare and to bind
    // (bench/README.md).
    static constexpr int kMergedHours = 4;

    bool Prepare(QSqlQuery& query, const QString& statement);
    bool Lock();
    bool MakeRoom(const PendingBlock& pending);
    FrameBlock Compose(const PendingBlock& pending, ArchiveCounts& added);
    bool Insert(const FrameBlock& block, std::int64_t& id);
    bool MergeExtremes(const HourlyExtremes& extremes);
    void Fail(const std::string& reason);

    ArchiveDatabase& database_;
    std::string station_;
    std::string logName_;
    KnownFrames& known_;
    std::optional<HeardOffsets> heard_;
    std::optional<std::string> problem_;
    ArchiveCounts counts_;
    // Prepared once, at Start.
    QSqlQuery insertBlock_;
    QSqlQuery mergeOne_;
    QSqlQuery mergeGroup_;
};

}  // namespace orvex

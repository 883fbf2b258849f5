#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_counts.h"
#include "archive/archive_database.h"
#include "archive/archive_rows.h"
#include "archive/known_frames.h"
#include "archive/pending_block.h"

namespace orvex {

// Writes one station's log into the archive a block at a time: each block's
// frames the archive did not hold, every hearing of them not stored yet, and
// what is kept beside the new frames, in one transaction that holds the
// archive's write lock, so that a load that stops or fails leaves whole
// frames only and two stations writing the same frames at once store them
// once. After a failure it writes nothing more.
class BlockWriter {
public:
    // `logPath` is the log's resolved path: with the station and its first
    // frame it tells this log from the station's others, so that adding it
    // again, or once it has grown, adds only the hearings not yet stored,
    // and another pass written under its name is a log of its own. `known`
    // is the program run's, kept from one load to the next.
    // `rows` are prepared on the database's connection.
    BlockWriter(ArchiveDatabase& database, ArchiveRows& rows, KnownFrames& known,
                std::string station, std::string logPath);

    // Writes a block; false (see Problem, the reason) when the archive
    // cannot be written.
    bool Write(const PendingBlock& pending);

    const ArchiveCounts& Counts() const { return counts_; }
    // Whether a block was stored, and with it the log known to the archive.
    bool Registered() const { return registered_; }
    // Once the log is written: PostgreSQL's index of the frames' time
    // learns of the new frames' pages (see the .cpp).
    void IndexNewFrames();
    const std::optional<std::string>& Problem() const { return problem_; }

private:
    bool WriteLocked(const PendingBlock& pending, ArchiveCounts& added);
    std::vector<FrameLookup> LookUp(const PendingBlock& pending, std::vector<FrameDigest>& digests);
    bool FindLog(std::int64_t firstFrame);
    bool Fail(const std::string& reason);

    ArchiveDatabase& database_;
    std::string station_;
    std::string logPath_;
    ArchiveRows& rows_;
    KnownFrames& known_;
    std::optional<std::int64_t> logId_;
    std::optional<std::string> problem_;
    ArchiveCounts counts_;
    bool registered_ = false;
};

}  // namespace orvex

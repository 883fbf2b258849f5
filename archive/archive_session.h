#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "archive/archive_counts.h"
#include "archive/archive_location.h"
#include "archive/known_frames.h"
#include "archive/pending_block.h"

namespace orvex {

// The thread that writes a program run's logs into the archive, one log
// after another, with a connection of its own kept from one log to the next:
// opened for each log, a connection cost PostgreSQL most of a pass log's
// time (bench/README.md), to start a server process, read the catalog and
// prepare the statements again. A connection that failed is let go, and the next log
// opens another. What the run knows of the archive's frames lives here.
class ArchiveSession {
public:
    // One log's part: its blocks waiting, and what became of them.
    class Log;

    ArchiveSession(ArchiveLocation location, int busyTimeoutMs);
    ~ArchiveSession();
    ArchiveSession(const ArchiveSession&) = delete;
    ArchiveSession& operator=(const ArchiveSession&) = delete;

    // A log heard by `station` at `logPath`, to which blocks are handed;
    // nothing, with the reason in `problem`, when the thread cannot start.
    std::shared_ptr<Log> Open(const std::string& station, const std::string& logPath,
                              std::string& problem);
    // Queues a block of the log, waiting while many of its blocks wait: a
    // slow archive holds the decode back rather than filling the memory.
    // After a failure of the log the block is let go.
    void Hand(Log& log, PendingBlock&& block);
    // Waits until every block of the log is written or given up: what the
    // log added, once its first block was stored, and why it stopped.
    void Finish(Log& log, std::optional<ArchiveCounts>& counts,
                std::optional<std::string>& problem);

private:
    class Connection;

    bool StartThread(std::string& problem);
    void Run();
    std::shared_ptr<Log> NextLog();
    void WriteNext(Connection& connection, Log& log);

    const ArchiveLocation location_;
    const int busyTimeoutMs_;
    KnownFrames known_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Log>> logs_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace orvex

#include "archive/archive_session.h"

#include <system_error>

#include <QSqlQuery>

#include "archive/archive_database.h"
#include "archive/archive_rows.h"
#include "archive/block_writer.h"

namespace orvex {
namespace {

// Blocks decoded and waiting for the writing thread: enough to ride out a
// slow commit, few enough that a slow archive holds the decode back rather
// than filling the memory.
constexpr std::size_t kQueuedBlocks = 16;

}  // namespace

// The blocks, the flags and the outcome are the session's to guard; the
// writer is the thread's alone.
class ArchiveSession::Log {
public:
    Log(std::string station, std::string path)
        : station(std::move(station)), path(std::move(path)) {}

    bool HasWork() const { return !blocks.empty() || (finishing && !done); }

    const std::string station;
    const std::string path;
    std::deque<PendingBlock> blocks;
    bool finishing = false;  // no more blocks come
    bool done = false;
    std::optional<ArchiveCounts> counts;
    std::optional<std::string> problem;
    std::unique_ptr<BlockWriter> writer;
};

// The thread's connection, opened when a log needs it, and let go after a
// failure once no log writes through it.
class ArchiveSession::Connection {
public:
    Connection(const ArchiveLocation& location, int busyTimeoutMs)
        : location_(location), busyTimeoutMs_(busyTimeoutMs) {}

    // A writer for the log on this connection; nothing, with the reason in
    // `problem`, when it cannot be opened.
    std::unique_ptr<BlockWriter> WriterFor(const Log& log, KnownFrames& known,
                                           std::string& problem) {
        if (failed_ && writers_ == 0) {
            rows_.reset();
            database_.reset();
            failed_ = false;
        }
        if (!database_) {
            database_.emplace(location_);
            database_->SetBusyTimeout(busyTimeoutMs_);
            rows_.emplace();
            if (!database_->OpenAlongside() || !rows_->Prepare(*database_)) {
                problem = database_->LastError();
                failed_ = true;
                return nullptr;
            }
        }
        ++writers_;
        return std::make_unique<BlockWriter>(*database_, *rows_, known, log.station, log.path);
    }

    void Release(bool failed, bool addedFrames) {
        --writers_;
        failed_ = failed_ || failed;
        addedFrames_ = addedFrames_ || addedFrames;
    }

    // Once the run's logs are written, PostgreSQL's planner learns of their
    // frames: until autovacuum analyzes the table, a minute or more after a
    // bulk import, it knows no times and reads a day's query through the
    // whole table (190 ms instead of 12 for the year). Only the table's
    // owner may; for another station's role autovacuum does it later.
    void Close() {
        if (database_ && addedFrames_ && database_->Dialect().IsPostgres()) {
            QSqlQuery query(database_->Connection());
            query.exec(QStringLiteral("ANALYZE frame_store"));
        }
    }

private:
    const ArchiveLocation& location_;
    const int busyTimeoutMs_;
    std::optional<ArchiveDatabase> database_;
    std::optional<ArchiveRows> rows_;
    int writers_ = 0;
    bool failed_ = false;
    bool addedFrames_ = false;
};

ArchiveSession::ArchiveSession(ArchiveLocation location, int busyTimeoutMs)
    : location_(std::move(location)), busyTimeoutMs_(busyTimeoutMs) {}

ArchiveSession::~ArchiveSession() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::shared_ptr<ArchiveSession::Log> ArchiveSession::Open(const std::string& station,
                                                          const std::string& logPath,
                                                          std::string& problem) {
    if (!thread_.joinable() && !StartThread(problem)) {
        return nullptr;
    }
    auto log = std::make_shared<Log>(station, logPath);
    {
        const std::lock_guard lock(mutex_);
        logs_.push_back(log);
    }
    return log;
}

bool ArchiveSession::StartThread(std::string& problem) {
    try {
        thread_ = std::thread(&ArchiveSession::Run, this);
    } catch (const std::system_error& error) {
        problem = std::string("its writer did not start: ") + error.what();
        return false;
    }
    return true;
}

void ArchiveSession::Hand(Log& log, PendingBlock&& block) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return log.blocks.size() < kQueuedBlocks || log.problem; });
        if (!log.problem) {
            log.blocks.push_back(std::move(block));
        }
    }
    changed_.notify_all();
}

void ArchiveSession::Finish(Log& log, std::optional<ArchiveCounts>& counts,
                            std::optional<std::string>& problem) {
    std::unique_lock lock(mutex_);
    log.finishing = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return log.done; });
    counts = log.counts;
    problem = log.problem;
}

// The connection is made, used and closed on this thread, as Qt SQL asks of
// a connection.
void ArchiveSession::Run() {
    Connection connection(location_, busyTimeoutMs_);
    while (const std::shared_ptr<Log> log = NextLog()) {
        WriteNext(connection, *log);
    }
    connection.Close();
}

// The first log with work, in the order the logs were opened; nothing once
// the session ends.
std::shared_ptr<ArchiveSession::Log> ArchiveSession::NextLog() {
    std::unique_lock lock(mutex_);
    std::shared_ptr<Log> next;
    changed_.wait(lock, [&] {
        for (const std::shared_ptr<Log>& log : logs_) {
            if (log->HasWork()) {
                next = log;
                return true;
            }
        }
        return stopping_;
    });
    return next;
}

void ArchiveSession::WriteNext(Connection& connection, Log& log) {
    std::unique_lock lock(mutex_);
    if (log.blocks.empty()) {
        // Finished: what it added, once its first block was stored.
        const bool failed = log.problem.has_value();
        if (log.writer) {
            if (!failed) {
                log.writer->IndexNewFrames();
            }
            const bool registered = log.writer->Registered();
            log.counts = failed && !registered ? std::nullopt : std::optional(log.writer->Counts());
            connection.Release(failed, log.writer->Counts().newFrames > 0);
            log.writer.reset();
        } else if (!failed) {
            log.counts = ArchiveCounts{};
        }
        log.done = true;
        std::erase_if(logs_, [&](const std::shared_ptr<Log>& held) { return held.get() == &log; });
        changed_.notify_all();
        return;
    }
    PendingBlock block = std::move(log.blocks.front());
    log.blocks.pop_front();
    const bool failed = log.problem.has_value();
    lock.unlock();
    changed_.notify_all();
    if (failed) {
        return;
    }
    std::optional<std::string> problem;
    if (!log.writer) {
        std::string reason;
        log.writer = connection.WriterFor(log, known_, reason);
        if (!log.writer) {
            problem = reason;
        }
    }
    if (log.writer && !log.writer->Write(block)) {
        problem = log.writer->Problem();
    }
    if (problem) {
        lock.lock();
        log.problem = problem;
        log.blocks.clear();
        changed_.notify_all();
    }
}

}  // namespace orvex

#include "archive/archive_writer.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "archive/block_writer.h"
#include "frames/frame_layout.h"
#include "frames/frame_type.h"
#include "kiss/frame.h"

namespace orvex {
namespace {

// Blocks decoded and waiting for the writing thread: enough to ride out a
// slow commit, few enough that a slow archive holds the decode back rather
// than filling the memory.
constexpr std::size_t kQueuedBlocks = 16;

// The log's own path, whatever link or relative name it was given by: the
// same log through a symbolic link is the same log.
std::string ResolvedPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::absolute(path).lexically_normal().string() : resolved.string();
}

std::uint32_t Now() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::seconds>(now).count());
}

// The time at the frame's body, where it holds one.
std::optional<std::uint32_t> OwnTime(const Frame& frame) {
    return frame.Holds(layout::kBody, 4) ? CarriedTime(frame) : std::nullopt;
}

}  // namespace

ArchiveWriter::ArchiveWriter(ArchiveTarget& target, const std::string& logPath, Source source)
    : location_(target.database.Location()),
      busyTimeoutMs_(target.database.BusyTimeout()),
      known_(target.known),
      station_(target.station),
      logPath_(ResolvedPath(logPath)),
      source_(source) {}

ArchiveWriter::~ArchiveWriter() {
    Join();
}

bool ArchiveWriter::Start() {
    try {
        thread_ = std::thread(&ArchiveWriter::WriteBlocks, this);
    } catch (const std::system_error& error) {
        problem_ = std::string("its writer did not start: ") + error.what();
        return false;
    }
    return true;
}

void ArchiveWriter::OnFrameRead(const Frame& frame, FrameOutcome outcome) {
    if (outcome != FrameOutcome::Decoded || frame.unfinished) {
        return;
    }
    const std::optional<std::uint32_t> own = OwnTime(frame);
    if (own) {
        lastTime_ = own;
    }
    const bool stream = source_ == Source::Stream;
    pending_.AddFrame(frame, {lastTime_, own.has_value(), frame.logOffset,
                              stream ? std::optional(Now()) : std::nullopt});
    if (stream || pending_.FrameCount() >= kBlockFrames) {
        HandOver();
    }
}

bool ArchiveWriter::Finish() {
    if (thread_.joinable() && !pending_.Empty()) {
        HandOver();
    }
    Join();
    return !problem_;
}

// The writing thread writes the blocks waiting and ends.
void ArchiveWriter::Join() {
    if (!thread_.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        if (state_ == State::Open) {
            state_ = State::Finishing;
        }
    }
    changed_.notify_all();
    thread_.join();
}

// After a failure the block is let go: nothing more is written.
void ArchiveWriter::HandOver() {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock,
                      [this] { return queue_.size() < kQueuedBlocks || state_ != State::Open; });
        if (state_ == State::Open) {
            queue_.push_back(std::move(pending_));
        }
    }
    changed_.notify_all();
    pending_ = PendingBlock();
}

// The writing thread: the connection is made, used and closed on it, as Qt
// SQL asks of a connection. The decode does not wait for it. What the log
// added is told once its first block was stored.
void ArchiveWriter::WriteBlocks() {
    ArchiveDatabase database(location_);
    database.SetBusyTimeout(busyTimeoutMs_);
    BlockWriter writer(database, known_, station_, logPath_);
    if (!database.OpenAlongside()) {
        Stop(State::Failed, std::nullopt, database.LastError());
        return;
    }
    if (!writer.Start()) {
        Stop(State::Failed, std::nullopt, writer.Problem());
        return;
    }
    PendingBlock block;
    while (TakeBlock(block)) {
        if (!writer.Write(block)) {
            Stop(State::Failed, writer.Registered() ? std::optional(writer.Counts()) : std::nullopt,
                 writer.Problem());
            return;
        }
    }
    Stop(State::Done, writer.Counts(), std::nullopt);
}

// False once the load has finished and every block is written.
bool ArchiveWriter::TakeBlock(PendingBlock& block) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !queue_.empty() || state_ == State::Finishing; });
        if (queue_.empty()) {
            return false;
        }
        block = std::move(queue_.front());
        queue_.pop_front();
    }
    changed_.notify_all();
    return true;
}

void ArchiveWriter::Stop(State state, const std::optional<ArchiveCounts>& counts,
                         const std::optional<std::string>& problem) {
    {
        const std::lock_guard lock(mutex_);
        state_ = state;
        counts_ = counts;
        problem_ = problem;
        queue_.clear();
    }
    changed_.notify_all();
}

}  // namespace orvex

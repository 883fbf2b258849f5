#include "archive/archive_writer.h"

#include <system_error>

#include "archive/block_writer.h"
#include "frames/frame_type.h"
#include "kiss/frame.h"

namespace orvex {
namespace {

// Blocks decoded and waiting for the writing thread: enough to ride out a
// slow commit, few enough that a slow archive holds the decode back rather
// than filling the memory.
constexpr std::size_t kQueuedBlocks = 16;

}  // namespace

ArchiveWriter::ArchiveWriter(ArchiveTarget& target, std::string logName, std::size_t blockFrames)
    : location_(target.database.Location()),
      busyTimeoutMs_(target.database.BusyTimeout()),
      known_(target.known),
      station_(target.station),
      logName_(std::move(logName)),
      blockFrames_(blockFrames) {}

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

void ArchiveWriter::OnTlmFrame(const TlmFrame& frame) {
    pending_.AddTlm(frame);
}

void ArchiveWriter::OnFrameRead(const Frame& frame, FrameOutcome outcome) {
    if (outcome != FrameOutcome::Decoded) {
        return;
    }
    const std::optional<std::uint32_t> own = CarriedTime(frame);
    if (own) {
        lastTime_ = own;
    }
    pending_.AddFrame(frame, lastTime_, own.has_value());
    if (pending_.FrameCount() >= blockFrames_) {
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
// SQL asks of a connection. The decode does not wait for it: the first
// blocks wait for the log to be registered.
void ArchiveWriter::WriteBlocks() {
    ArchiveDatabase database(location_);
    database.SetBusyTimeout(busyTimeoutMs_);
    BlockWriter writer(database, known_, station_, logName_);
    if (auto problem = database.OpenAlongside()) {
        Stop(State::Failed, std::nullopt, problem);
        return;
    }
    if (!writer.Start()) {
        Stop(State::Failed, std::nullopt, writer.Problem());
        return;
    }
    PendingBlock block;
    while (TakeBlock(block)) {
        if (!writer.Write(block)) {
            Stop(State::Failed, writer.Counts(), writer.Problem());
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

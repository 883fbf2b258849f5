#include "archive/archive_writer.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "frames/frame_layout.h"
#include "frames/frame_type.h"
#include "kiss/frame.h"

namespace orvex {
namespace {

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
    : target_(target), logPath_(ResolvedPath(logPath)), source_(source) {}

ArchiveWriter::~ArchiveWriter() {
    Finish();
}

bool ArchiveWriter::Start() {
    if (!target_.session) {
        target_.session = std::make_unique<ArchiveSession>(target_.database.Location(),
                                                           target_.database.BusyTimeout());
    }
    std::string problem;
    log_ = target_.session->Open(target_.station, logPath_, problem);
    if (!log_) {
        problem_ = problem;
    }
    return log_ != nullptr;
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
    if (log_) {
        if (!pending_.Empty()) {
            HandOver();
        }
        target_.session->Finish(*log_, counts_, problem_);
        log_.reset();
    }
    return !problem_;
}

void ArchiveWriter::HandOver() {
    if (log_) {
        target_.session->Hand(*log_, std::move(pending_));
    }
    pending_ = PendingBlock();
}

}  // namespace orvex

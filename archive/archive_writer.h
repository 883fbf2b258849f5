#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "archive/archive_counts.h"
#include "archive/archive_session.h"
#include "archive/archive_target.h"
#include "archive/pending_block.h"
#include "frames/frame_handler.h"

namespace orvex {

// Adds one station's log to the archive as its frames are decoded: each
// decoded frame once, every hearing of it, and what is kept beside it, a
// block of frames at a time. The blocks are written by the target's session
// on a thread of its own while the decode goes on on another core. After a
// failure nothing more is written and the load goes on.
//
// A frame the data ended inside is not stored: it is one still being
// written, or lost, and a log archived while it grows, and again once
// whole, then holds each frame once.
class ArchiveWriter : public FrameHandler {
public:
    static constexpr std::size_t kBlockFrames = 4096;

    // How the log is read: a file, or a stream whose frames are each stored
    // as they arrive, with the moment they arrived.
    enum class Source { File, Stream };

    // `target`'s database is open and tells where the archive is. `logPath`
    // names the log (the recording, for a stream).
    ArchiveWriter(ArchiveTarget& target, const std::string& logPath, Source source = Source::File);
    ~ArchiveWriter() override;
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Opens the log in the target's session; false (see Problem, the
    // reason) when it cannot.
    bool Start();
    // Writes the frames still held and waits for every block to be written;
    // false after any failure.
    bool Finish();

    // Once Finish has returned: what the log added, when it was registered.
    const std::optional<ArchiveCounts>& Counts() const { return counts_; }
    const std::optional<std::string>& Problem() const { return problem_; }

    void OnFrameRead(const Frame& frame, FrameOutcome outcome) override;

private:
    void HandOver();

    ArchiveTarget& target_;
    const std::string logPath_;
    const Source source_;
    std::shared_ptr<ArchiveSession::Log> log_;
    PendingBlock pending_;
    std::optional<std::uint32_t> lastTime_;  // the log's latest frame time so far
    std::optional<ArchiveCounts> counts_;
    std::optional<std::string> problem_;
};

}  // namespace orvex

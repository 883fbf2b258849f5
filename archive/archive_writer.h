#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_database.h"
#include "archive/frame_block.h"
#include "archive/hourly_extremes.h"
#include "archive/known_frames.h"
#include "frames/frame_handler.h"

namespace orvex {

// What one log added to the archive.
struct ArchiveCounts {
    std::uint64_t frames = 0;         // decoded frames written, repeats included
    std::uint64_t newFrames = 0;      // frames the archive did not hold before
    std::uint64_t newReceptions = 0;  // hearings it did not hold before
};

// Adds one station's log to the archive as its frames are decoded: each
// decoded frame once, every hearing of it, and its TLM values' hourly
// extremes. Frames are written in blocks, each one transaction that holds
// the archive's write lock, so that a load that stops or fails leaves whole
// frames only and two stations writing the same frames at once store them
// once. After a failure nothing more is written and the load goes on.
class ArchiveWriter : public FrameHandler {
public:
    static constexpr std::size_t kBlockFrames = 4096;

    // `logName` tells this log from the station's others: adding it again
    // adds only the hearings not yet stored. A live stream writes a block
    // per frame, so that each is in the archive as it arrives.
    ArchiveWriter(ArchiveDatabase& database, std::string station, std::string logName,
                  std::size_t blockFrames = kBlockFrames);

    // Registers the log; false (see Problem, the reason) when the archive
    // cannot be written.
    bool Start();
    // Writes the frames still held; false after any failure.
    bool Finish();

    const ArchiveCounts& Counts() const { return counts_; }
    const std::optional<std::string>& Problem() const { return problem_; }

    void OnTlmFrame(const TlmFrame& frame) override;
    void OnFrameRead(const Frame& frame, FrameOutcome outcome) override;

private:
    // A decoded frame waiting for its block to be written; its bytes lie in
    // pendingBytes_, one buffer for the block rather than one allocation a
    // frame.
    struct PendingFrame {
        std::size_t at = 0;
        std::uint16_t length = 0;
        FrameDigest digest;
        std::optional<std::uint32_t> time;
        bool timeExact = false;
        std::uint64_t offset = 0;
    };

    void WriteBlock();
    bool Lock();
    bool MakeRoom();
    FrameBlock Compose(ArchiveCounts& added);
    bool Insert(const FrameBlock& block, std::int64_t& id);
    bool MergeExtremes();
    void Fail(const std::string& reason);

    ArchiveDatabase& database_;
    std::string station_;
    std::string logName_;
    std::size_t blockFrames_;
    std::optional<std::int64_t> logId_;
    std::optional<std::string> problem_;
    ArchiveCounts counts_;

    KnownFrames known_;
    std::vector<PendingFrame> block_;
    std::string pendingBytes_;
    HourlyExtremes extremes_;
    std::optional<std::uint32_t> lastTime_;  // the log's latest frame time so far
};

}  // namespace orvex

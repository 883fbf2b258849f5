#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "archive/archive_database.h"
#include "archive/archived_extremes.h"
#include "frames/frame_handler.h"

namespace orvex {

// A frame as the archive holds it, with where it was first heard.
struct ArchivedFrame {
    std::int64_t id = 0;
    std::uint32_t time = 0;
    std::string bytes;
    std::string station;
    std::string logPath;
    std::uint64_t offset = 0;
    // Its bytes still give the digest it was stored with: a frame whose
    // bytes were changed since is not to be decoded.
    bool intact = true;
};

// Hands `visit` every frame the archive holds whose time lies in `span`,
// oldest first, frames of the same second in the order they were stored. A
// page of frames at a time: memory stays flat over any span. False, with
// the reason in `problem`, when the archive cannot be read.
// `stopRequested`, asked between frames, ends the reading early.
bool ReadArchivedFrames(
    ArchiveDatabase& database, ArchiveSpan span,
    const std::function<void(const ArchivedFrame&)>& visit, std::string& problem,
    const std::function<bool()>& stopRequested = [] { return false; });

// Decodes the frame into `handler` as a log's frame is decoded: its fields,
// then OnFrameRead, its place its first hearing's byte offset. The buffer
// is cleared first, so that a short frame's missing bytes read as zeros
// rather than as whichever frame was read before it.
void DecodeArchivedFrame(const ArchivedFrame& stored, Frame& frame, FrameHandler& handler);

}  // namespace orvex

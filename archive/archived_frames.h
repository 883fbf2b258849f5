#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "archive/archive_database.h"
#include "archive/archive_history.h"
#include "frames/frame_handler.h"

namespace orvex {

// Decodes every frame the archive holds whose time lies in `span` into
// `handler`, oldest first, as a log's frames are decoded: its fields, then
// OnFrameRead; frames of the same second in the order the archive stored
// them. Each frame's place is its first hearing's byte offset. The
// buffer is cleared before each frame, so that a short frame's missing bytes
// read as zeros rather than as whichever frame the query returned before it.
// Returns the count of frames, or nothing with the reason in `problem`.
// `stopRequested`, asked between the archive's blocks and frames, ends the
// decode early; the count is then of the frames decoded.
std::optional<std::uint64_t> DecodeArchivedFrames(
    ArchiveDatabase& database, ArchiveSpan span, FrameHandler& handler, std::string& problem,
    const std::function<bool()>& stopRequested = [] { return false; });

}  // namespace orvex

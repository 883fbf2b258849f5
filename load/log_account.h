#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frames/frame_type.h"
#include "kiss/frame.h"
#include "kiss/kiss_counts.h"

namespace orvex {

// What a log held besides good frames: the bytes the reader skipped, cut or
// dropped, the frames the dispatch did not decode, and why, and the decoded
// frames that did not hold every field of their type.
struct LogAccount {
    KissCounts read;
    std::uint64_t framesTooShort = 0;  // under 7 bytes
    std::uint64_t framesNotData = 0;   // a KISS command byte other than 0
    std::uint64_t framesUnknownType = 0;
    // Closed before their type's length, by type byte.
    std::array<std::uint64_t, layout::kTypeCount + 1> framesShortForType{};
    std::uint64_t framesCutAtEnd = 0;  // the data ended inside them

    // Counts what became of a frame the reader delivered.
    void Count(const Frame& frame, FrameOutcome outcome);
    bool Any() const;
};

// One count with its names: a key for scripts ("frames_too_short") and the
// words for one and for many.
struct LogAccountItem {
    std::string_view key;
    std::uint64_t count;
    std::string_view one;
    std::string_view many;
};
// Every count, in a fixed order; scripts find each by its key.
std::vector<LogAccountItem> LogAccountItems(const LogAccount& account);

// One text per count that is not zero, in the order above: "12 bytes outside
// frames", "1 frame shorter than 7 bytes", "2 TLM frames short for their type".
std::vector<std::string> LogAccountTexts(const LogAccount& account);

}  // namespace orvex

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// What a log held besides good frames: the bytes the reader skipped, cut or
// dropped, and the frames the dispatch did not decode, and why.
struct LogAccount {
    std::uint64_t bytesOutsideFrames = 0;
    std::uint64_t framesTooShort = 0;  // under 7 bytes
    std::uint64_t framesCut = 0;       // at 512 bytes (their first 512 are decoded)
    std::uint64_t framesNotData = 0;   // a KISS command byte other than 0
    std::uint64_t framesUnknownType = 0;
    std::uint64_t lineFeedsDropped = 0;  // the LF of a CR LF pair
    std::uint64_t danglingEscapes = 0;   // an FESC followed by neither TFEND nor TFESC

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
std::array<LogAccountItem, 7> LogAccountItems(const LogAccount& account);

// One text per count that is not zero, in the order above: "12 bytes outside
// frames", "1 frame shorter than 7 bytes".
std::vector<std::string> LogAccountTexts(const LogAccount& account);

}  // namespace orvex

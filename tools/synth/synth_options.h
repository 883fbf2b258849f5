#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/synth/frame_mix.h"

namespace orvex::synth {

inline constexpr std::uint32_t kDefaultStart = 1772366400;  // 2026-03-01 12:00:00 UTC

struct SynthOptions {
    std::uint64_t seed = 1;
    // Limits; the log ends at the first one reached, after one pass when none
    // is given.
    std::optional<std::uint64_t> bytes;
    std::optional<std::uint64_t> frames;
    std::optional<std::uint64_t> passes;
    FrameMix mix = FrameMix::Realistic();
    std::uint32_t start = kDefaultStart;
    std::string output;  // empty: standard output
};

enum class ParseOutcome { Run, Help, Version, Error };

// Fills `options` from the command line; on Error, `error` says why.
ParseOutcome ParseSynthOptions(const std::vector<std::string>& args, SynthOptions& options,
                               std::string& error);
void PrintSynthUsage(std::ostream& out);

// A byte count with an optional binary suffix: "4096", "512K", "10M", "1G".
std::optional<std::uint64_t> ParseSize(std::string_view text);

}  // namespace orvex::synth

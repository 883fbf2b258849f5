#pragma once

#include <cstdint>

namespace orvex {

// What one log added to the archive.
struct ArchiveCounts {
    std::uint64_t frames = 0;         // decoded frames written, repeats included
    std::uint64_t newFrames = 0;      // frames the archive did not hold before
    std::uint64_t newReceptions = 0;  // hearings it did not hold before
};

}  // namespace orvex

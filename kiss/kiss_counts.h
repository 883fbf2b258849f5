#pragma once

#include <cstdint>

namespace orvex {

// What the KISS reader skipped, cut or dropped in a log, and the frames it
// found without an opening FEND of their own.
struct KissCounts {
    std::uint64_t bytesOutsideFrames = 0;  // before, between and after frames
    std::uint64_t framesCut = 0;           // longer than 512 positions
    std::uint64_t lineFeedsDropped = 0;    // the LF of a CR LF pair
    std::uint64_t danglingEscapes = 0;     // an FESC followed by neither TFEND nor TFESC
    std::uint64_t framesOpeningFendSharedOrLost = 0;

    KissCounts& operator+=(const KissCounts& other) {
        bytesOutsideFrames += other.bytesOutsideFrames;
        framesCut += other.framesCut;
        lineFeedsDropped += other.lineFeedsDropped;
        danglingEscapes += other.danglingEscapes;
        framesOpeningFendSharedOrLost += other.framesOpeningFendSharedOrLost;
        return *this;
    }
};

}  // namespace orvex

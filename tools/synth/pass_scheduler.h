#pragma once

#include <cstdint>

#include "tools/synth/random.h"

namespace orvex::synth {

struct Pass {
    std::uint64_t start = 0;  // seconds since 1970
    std::uint32_t seconds = 0;
};

// When the ground station hears the satellite: a pass of five to thirteen
// minutes as it crosses the sky, three to five passes about one orbit apart,
// then some ten hours of silence while the ground track lies elsewhere.
class PassScheduler {
public:
    PassScheduler(std::uint64_t firstStart, std::uint64_t seed);

    Pass Next();

    // The chance that a frame sent `second` seconds into the pass is decoded:
    // near the horizon the signal fades and frames are lost.
    static double ReceptionChance(const Pass& pass, std::uint32_t second);

private:
    Random random_;
    std::uint64_t nextStart_;
    int leftInGroup_;
};

}  // namespace orvex::synth

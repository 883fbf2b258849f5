#pragma once

#include <cstdint>

#include "tools/synth/downlink_cycle.h"
#include "tools/synth/frame_mix.h"
#include "tools/synth/orbit_model.h"
#include "tools/synth/pass_scheduler.h"
#include "tools/synth/random.h"
#include "tools/synth/synth_frame.h"

namespace orvex::synth {

// The frames a ground station logs, in order: pass after pass, what the
// satellite sent in each second of a pass and the station decoded. Within a
// pass the satellite works through the WOD it gathered over the last orbit,
// so a long pass brings some WOD frames twice; now and then the station also
// logs one WOD frame twice in a row.
class FrameStream {
public:
    FrameStream(std::uint64_t seed, std::uint32_t start, FrameMix mix);

    // False once the time would pass 2^32 - 1 seconds.
    bool Next(SynthFrame& frame);

private:
    void StartNextPass();
    bool Build(const DownlinkSlot& slot, std::uint32_t time, SynthFrame& frame);
    bool BuildHousekeeping(std::uint8_t type, std::uint32_t sequence, std::uint32_t time,
                           SynthFrame& frame);

    std::uint64_t seed_;
    FrameMix mix_;
    OrbitModel model_;
    PassScheduler passes_;
    Random random_;
    Pass pass_;  // none before the first frame
    std::uint64_t passesStarted_ = 0;
    std::uint32_t second_ = 0;
    std::uint64_t firstStoredWod_ = 0;
    SynthFrame repeat_;
    bool repeatPending_ = false;
};

}  // namespace orvex::synth

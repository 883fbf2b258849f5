#pragma once

#include <cstdint>

namespace orvex::synth {

// What the satellite sends in one second of its downlink.
struct DownlinkSlot {
    enum Kind { kIdle, kTlm, kWod, kHousekeeping } kind = kIdle;
    // kWod: the how-manieth WOD slot since 1970; kHousekeeping: the frame type.
    std::uint64_t wodCount = 0;
    std::uint8_t housekeepingType = 0;
    // The satellite's running count of frames sent.
    std::uint32_t sequence = 0;
};

// The satellite's fixed 20-second downlink cycle: a TLM frame every 4 s,
// three WOD frames and three housekeeping frames, the rest of the time quiet.
// The housekeeping frames take turns through a list in which the time, HWS,
// SWS and INF frames come up most often and the error and coefficient texts
// least. At 1200 bd a frame of 133 bytes fills about a second.
DownlinkSlot SlotAt(std::uint32_t time);

}  // namespace orvex::synth

#pragma once

#include <array>
#include <cstdint>

#include "telemetry/channel_table.h"
#include "tools/synth/orbit_model.h"
#include "tools/synth/synth_frame.h"

namespace orvex::synth {

inline constexpr std::uint8_t kTlmType = 2;
inline constexpr std::uint8_t kWodType = 8;
inline constexpr std::uint8_t kSoftwareVersion = 12;
inline constexpr std::uint32_t kWodGatherSeconds = 60;
inline constexpr int kSamplesPerWodFrame = 3;

using RawChannels = std::array<std::uint8_t, kChannelCount>;

// The bytes the satellite's ADC would give for a state.
RawChannels RawTelemetry(const SpacecraftState& state);

// TLM: the time, the 38 channel bytes at the even offsets 56..130, the
// software version at 132. The bytes no decoder reads (11..55 and the odd
// offsets between the channels) carry the satellite's other channels, which
// sit near a level of their own and wander a little.
bool BuildTlmFrame(SynthFrame& frame, std::uint32_t sequence, std::uint32_t time,
                   const RawChannels& raw, std::uint64_t seed);

// WOD frame number `index` holds the samples gathered at 3 * index,
// 3 * index + 1 and 3 * index + 2 gather intervals after 1970, each its time,
// its sample number and the ten WOD channels. Its bytes depend only on the
// index, so a frame sent again in a later pass repeats its samples exactly.
bool BuildWodFrame(SynthFrame& frame, std::uint32_t sequence, std::uint64_t index,
                   const OrbitModel& model);

}  // namespace orvex::synth

#pragma once

#include <cstdint>
#include <string>

#include "tools/synth/orbit_model.h"
#include "tools/synth/random.h"
#include "tools/synth/synth_frame.h"

namespace orvex::synth {

inline constexpr std::uint8_t kTimeType = 1;
inline constexpr std::uint8_t kBcrType = 3;
inline constexpr std::uint8_t kMessageType = 6;
inline constexpr std::uint8_t kInfType = 7;
inline constexpr std::uint8_t kErrType = 9;
inline constexpr std::uint8_t kCoefType = 10;
inline constexpr std::uint8_t kWodFormatType = 11;
inline constexpr std::uint8_t kTlmControlType = 12;

// "hh:mm:ss dd/mm/yyyy" of a time in UTC, as the on-board clock sends it.
std::string ClockText(std::uint32_t time);

// The TIME frame or one of the seven text frames, with a text the satellite
// would send at that moment. Multi-line texts break their lines with CR LF.
bool BuildTextFrame(SynthFrame& frame, std::uint32_t sequence, std::uint8_t type,
                    std::uint32_t time, const SpacecraftState& state, Random& random);

}  // namespace orvex::synth

#pragma once

#include <cstdint>

#include "tools/synth/orbit_model.h"
#include "tools/synth/synth_frame.h"
#include "tools/synth/tx_schedule.h"

namespace orvex::synth {

inline constexpr std::uint8_t kHwsType = 4;
inline constexpr std::uint8_t kSwsType = 5;
inline constexpr std::uint8_t kToprType = 13;

// HWS: the time and the register groups RXAART, TXAART, BCAART and ModemAART
// (offsets 11..22), then eight more register bytes. The exciter bit is set
// while a transmitter mode is on; the HPA bits follow the mode's power.
bool BuildHwsFrame(SynthFrame& frame, std::uint32_t sequence, std::uint32_t time,
                   const SpacecraftState& state, std::uint64_t seed);

// SWS: the software's status values, the WOD format with its channel list,
// the set points and the TEPR thresholds with the modes they select.
bool BuildSwsFrame(SynthFrame& frame, std::uint32_t sequence, std::uint32_t time,
                   const SpacecraftState& state, std::uint64_t seed);

// TOPR: the transmitter schedule in force, seven lengths then seven modes,
// and a checksum byte.
bool BuildToprFrame(SynthFrame& frame, std::uint32_t sequence, const ToprTable& table);

}  // namespace orvex::synth

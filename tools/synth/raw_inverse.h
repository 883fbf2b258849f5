#pragma once

#include <cstdint>

namespace orvex::synth {

// The raw byte of TLM channel `channel` (0..37) whose calibrated value lies
// nearest to `value`: the satellite's view of an engineering value. Works for
// the quadratic channels too, which are not monotonic over 0..255.
std::uint8_t RawFor(int channel, double value);

}  // namespace orvex::synth

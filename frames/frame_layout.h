#pragma once

#include <cstddef>
#include <cstdint>

#include "kiss/frame.h"

// Where the fields of each frame type lie, as offsets into the frame with its
// opening FEND at 0. The views read their fields here, the type table takes
// each type's length from here, and nothing else names an offset but the
// header every frame shares, which lies beside the frame's buffer in
// kiss/frame.h since the reader reads it too.
//
// A type's length is one past the last byte a field of it reads: a shorter
// frame leaves its missing fields to the bytes an earlier frame left in the
// buffer, which the report and the WOD export keep showing as they always
// have, and which nothing built beside them may take for the frame's own.
namespace orvex::layout {

inline constexpr std::size_t kBody = kHeaderLength;  // a timestamp or a text starts here
inline constexpr std::size_t kTimeBytes = 4;         // seconds since 1970, little-endian

// Real-time telemetry: the time, one byte per channel at every other offset,
// the software version.
namespace tlm {
inline constexpr std::size_t kTime = kBody;
inline constexpr std::size_t kChannels = 56;
inline constexpr std::size_t kChannelStride = 2;
inline constexpr std::size_t kSoftwareVersion = 132;
inline constexpr std::uint16_t kLength = kSoftwareVersion + 1;

constexpr std::size_t ChannelAt(int channel) {
    return kChannels + kChannelStride * static_cast<std::size_t>(channel);
}
}  // namespace tlm

// Whole-orbit data: three samples, each a time, a byte shown only in hex and
// the WOD channels' bytes.
namespace wod {
inline constexpr std::size_t kSamples = kBody;
inline constexpr std::size_t kSampleBytes = 15;
inline constexpr int kSampleCount = 3;
inline constexpr std::size_t kSampleExtra = 4;  // within a sample
inline constexpr std::size_t kSampleSlots = 5;  // within a sample
inline constexpr std::uint16_t kLength = kSamples + kSampleBytes * kSampleCount;

constexpr std::size_t SampleAt(int sample) {
    return kSamples + kSampleBytes * static_cast<std::size_t>(sample);
}
}  // namespace wod

// Hardware status: the time and four three-byte register groups.
namespace hws {
inline constexpr std::size_t kTime = kBody;
inline constexpr std::size_t kRegisters = 11;
inline constexpr std::size_t kRegisterGroupBytes = 3;
inline constexpr int kRegisterGroupCount = 4;
inline constexpr std::uint16_t kLength = kRegisters + kRegisterGroupBytes * kRegisterGroupCount;
}  // namespace hws

// Software status: single bytes up to the sixth pair of TEPR values.
namespace sws {
inline constexpr std::size_t kWodChannels = 44;  // ten channel numbers
inline constexpr std::size_t kTeprFirst = 61;    // + pair 1..6
inline constexpr std::size_t kTeprSecond = 73;   // + pair 1..6
inline constexpr int kTeprCount = 6;
inline constexpr std::uint16_t kLength = kTeprSecond + kTeprCount + 1;
}  // namespace sws

// Transmitter operation: seven states, each a 16-bit value and a mode.
namespace topr {
inline constexpr std::size_t kValues = 5;  // + 2 x state 1..7, little-endian
inline constexpr std::size_t kModes = 20;  // + state 1..7
inline constexpr int kStateCount = 7;
inline constexpr std::uint16_t kLength = kModes + kStateCount + 1;
}  // namespace topr

}  // namespace orvex::layout

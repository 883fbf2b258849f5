#pragma once

#include <cstdint>
#include <optional>

#include "kiss/frame.h"

namespace orvex {

// gr-satellites' KISS server and its KISS files put a frame of this command
// before each frame they received: eight bytes, the milliseconds since
// 1970-01-01 00:00 UTC, big-endian, the reception time of the next frame.
inline constexpr std::uint8_t kReceptionTimeCommand = 9;

// The latest time such a frame may carry: 9999-12-31 23:59:59.999 UTC, the
// last that ISO 8601's four-digit year writes.
inline constexpr std::int64_t kLatestReceptionMs = 253402300799999;

// The reception time the frame carries, when it is such a frame: its command,
// then exactly eight bytes as the sender delivered them, a time from 1970 to
// 9999.
std::optional<std::int64_t> CarriedReceptionTime(const Frame& frame);

}  // namespace orvex

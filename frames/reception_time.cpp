#include "frames/reception_time.h"

#include <string>

#include "frames/frame_layout.h"

namespace orvex {

std::optional<std::int64_t> CarriedReceptionTime(const Frame& frame) {
    if (frame.length <= layout::kCommand || frame[layout::kCommand] != kReceptionTimeCommand) {
        return std::nullopt;
    }
    // Read as delivered: the reader drops an LF after a CR, which a time's
    // bytes may well hold.
    const std::string time = frame.Delivered(layout::kCommand + 1);
    if (time.size() != 8) {
        return std::nullopt;
    }
    std::uint64_t milliseconds = 0;
    for (const char byte : time) {
        milliseconds = milliseconds << 8 | static_cast<std::uint8_t>(byte);
    }
    if (milliseconds > static_cast<std::uint64_t>(kLatestReceptionMs)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(milliseconds);
}

}  // namespace orvex

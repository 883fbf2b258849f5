#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvex {

inline constexpr std::size_t kFrameCapacity = 512;

inline constexpr std::size_t kCommandOffset = 1;
inline constexpr std::size_t kTypeOffset = 6;
inline constexpr std::size_t kBodyOffset = 7;  // timestamp or text starts here

// The one frame being handled. Decoders read fixed offsets whatever
// FrameLength says, so the bytes past the frame's end are those an earlier
// frame of the same run left there: the buffer is never cleared.
struct Frame {
    std::array<std::uint8_t, kFrameCapacity> FrameBuffer{};
    std::uint16_t FrameLength = 0;

    std::uint8_t operator[](std::size_t offset) const { return FrameBuffer[offset]; }

    // Unsigned little-endian count of seconds at offset..offset+3.
    std::uint32_t TimestampAt(std::size_t offset) const {
        return std::uint32_t{FrameBuffer[offset]} | std::uint32_t{FrameBuffer[offset + 1]} << 8 |
               std::uint32_t{FrameBuffer[offset + 2]} << 16 |
               std::uint32_t{FrameBuffer[offset + 3]} << 24;
    }

    std::uint16_t WordAt(std::size_t offset) const {
        return static_cast<std::uint16_t>(FrameBuffer[offset] | FrameBuffer[offset + 1] << 8);
    }
};

}  // namespace orvex

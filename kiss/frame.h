#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvex {

inline constexpr std::size_t kFrameCapacity = 512;

// The header every frame shares. It is declared here, beside the buffer,
// because the reader reads it too: bytes it meets between frames are taken
// for a frame only when they begin with a data frame's header.
namespace layout {
inline constexpr std::size_t kCommand = 1;  // KISS command: 0 for data of port 0
inline constexpr std::size_t kType = 6;
inline constexpr std::uint16_t kHeaderLength = 7;
inline constexpr std::uint8_t kTypeCount = 13;  // the satellite's types are 1..13
}  // namespace layout

// The frame being handled, as the KISS reader delivers it: the opening FEND
// at offset 0, then the frame's unescaped bytes.
//
// The buffer is never cleared between frames. Decoders read fixed offsets
// whatever the length says, so the bytes past a short frame's end are those
// an earlier frame left there; stored logs decode the way they always have
// only because of that.
struct Frame {
    std::array<std::uint8_t, kFrameCapacity> bytes{};
    std::uint16_t length = 0;  // opening FEND included: 1..512

    // Where the frame lay in the log: the offset of its opening FEND (of its
    // first byte when it had none of its own), and the log bytes it took from
    // there up to its closing FEND, or to the end of the data. Escapes,
    // dropped line feeds, the closing FEND and the bytes a cut frame lost make
    // up the difference from `length`.
    std::uint64_t logOffset = 0;
    std::uint64_t logBytes = 0;
    // It needed more than 512 positions and lost the rest.
    bool cut = false;
    // The data ended before its closing FEND: a log still being written, or
    // one cut short.
    bool unfinished = false;
    // Its opening FEND was the closing FEND of the frame before (a TNC that
    // shares them), or lost (a log or stream that begins inside a frame): the
    // reader found it among the bytes between frames.
    bool openingFendSharedOrLost = false;
    // The position of the CR before each LF the reader dropped (see
    // KissReader), in order, so that the frame can be given on as the TNC
    // delivered it. Rare: it keeps its room from frame to frame.
    std::vector<std::uint16_t> lineFeedsDroppedAfter;
    // When the frame was received, in milliseconds since 1970 UTC, where the
    // log or the stream tells it. Set by the load, not the reader.
    std::optional<std::int64_t> receivedMs;

    std::uint8_t operator[](std::size_t offset) const { return bytes[offset]; }

    // Whether the frame itself reaches `width` bytes from `offset`: beyond its
    // length lie an earlier frame's bytes.
    bool Holds(std::size_t offset, std::size_t width = 1) const { return offset + width <= length; }

    // Unsigned little-endian count of seconds at offset..offset+3.
    std::uint32_t TimestampAt(std::size_t offset) const {
        return std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
               std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24;
    }

    std::uint16_t WordAt(std::size_t offset) const {
        return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
    }

    // The frame's bytes from `offset` to its end as they were delivered,
    // escapes resolved and every dropped LF in its place again.
    std::string Delivered(std::size_t offset) const {
        std::string delivered;
        auto dropped = lineFeedsDroppedAfter.begin();
        for (std::size_t at = offset; at < length; ++at) {
            delivered += static_cast<char>(bytes[at]);
            for (; dropped != lineFeedsDroppedAfter.end() && *dropped <= at; ++dropped) {
                if (*dropped == at) {
                    delivered += '\n';
                }
            }
        }
        return delivered;
    }
};

}  // namespace orvex

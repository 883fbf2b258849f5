#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvex::synth {

inline constexpr std::size_t kLongestFrame = 160;

// One frame as the station's KISS reader should deliver it: offset 0 holds
// the opening FEND, offset 1 the KISS command byte, offset 6 the type.
struct SynthFrame {
    std::array<std::uint8_t, kLongestFrame> bytes{};
    std::size_t length = 0;
    std::uint64_t pass = 0;  // index of the pass it was heard in
    // A text whose line breaks went over the air as CR LF; the log keeps the
    // pair, the reader keeps the CR.
    bool crLfLineBreaks = false;

    std::uint8_t Type() const { return bytes[6]; }
    std::string_view View() const { return {reinterpret_cast<const char*>(bytes.data()), length}; }
};

// Lays out one frame's bytes. The station's reader drops an LF that follows a
// CR, so a CR LF pair in binary data cannot reach the decoder intact; Finish
// breaks such pairs by moving a byte of measured data or filler one count,
// which no reader would notice, and refuses a frame that would need a time or
// the type byte changed.
class FrameBuilder {
public:
    // Header: FEND, command 0, the satellite's frame sequence number, type.
    FrameBuilder(SynthFrame& frame, std::uint8_t type, std::uint32_t sequence);

    void Put(std::size_t offset, std::uint8_t value);
    void PutWord(std::size_t offset, std::uint16_t value);
    void PutTime(std::size_t offset, std::uint32_t seconds);
    void Append(std::string_view text);

    // False when the frame cannot be logged faithfully.
    bool Finish();

private:
    SynthFrame& frame_;
    std::bitset<kLongestFrame> fixed_;  // bytes that must not be nudged
};

}  // namespace orvex::synth

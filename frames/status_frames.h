#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frames/frame_layout.h"
#include "kiss/frame.h"

namespace orvex {

// A one-byte field of a status frame, under the name the satellite's
// documentation gives it.
struct ByteField {
    std::string_view name;
    std::size_t offset;
};

// Hardware status: the time, four three-byte register groups and the
// transmitter flags they hold.
class HwsFrame {
public:
    static constexpr std::size_t kRegistersOffset = layout::hws::kRegisters;
    // Least significant byte first.
    static constexpr std::array<ByteField, 4> kRegisterGroups = {{
        {"RXAART", 11},
        {"TXAART", 14},
        {"BCAART", 17},
        {"ModemAART", 20},
    }};
    struct Flag {
        std::string_view name;
        std::size_t offset;
        std::uint8_t mask;
    };
    static constexpr std::array<Flag, 4> kTransmitterFlags = {{
        {"TXC Exciter", 12, 0x20},
        {"TXC 5V HPA", 22, 0x08},
        {"TXC 8.5V HPA", 22, 0x01},
        {"TXC 10V HPA", 22, 0x04},
    }};

    explicit HwsFrame(const Frame& frame) : frame_(frame) {}

    std::uint32_t Timestamp() const { return frame_.TimestampAt(layout::hws::kTime); }
    std::uint32_t RegisterGroup(const ByteField& group) const {
        return std::uint32_t{frame_[group.offset]} | std::uint32_t{frame_[group.offset + 1]} << 8 |
               std::uint32_t{frame_[group.offset + 2]} << 16;
    }
    bool IsSet(const Flag& flag) const { return (frame_[flag.offset] & flag.mask) != 0; }
    // Whether the frame reached the field itself, rather than leaving it, or
    // part of it, to an earlier frame's bytes.
    bool HoldsTimestamp() const { return frame_.Holds(layout::hws::kTime, layout::kTimeBytes); }
    bool Holds(const ByteField& group) const {
        return frame_.Holds(group.offset, layout::hws::kRegisterGroupBytes);
    }
    bool Holds(const Flag& flag) const { return frame_.Holds(flag.offset); }
    const Frame& Bytes() const { return frame_; }

private:
    const Frame& frame_;
};

// Software status: settings, watchdogs, the WOD format, set points and the
// six TEPR pairs, one byte each.
class SwsFrame {
public:
    static constexpr std::array<ByteField, 5> kSettings = {{
        {"Digi", 7},
        {"TXMode", 8},
        {"WODGather", 9},
        {"TOTOut", 27},
        {"TOTOver", 28},
    }};
    static constexpr std::array<ByteField, 3> kWatchdogs = {{
        {"WDOG0", 38},
        {"WDOG1", 39},
        {"WDOG2", 40},
    }};
    static constexpr ByteField kWodVersion = {"WOD Version", 43};
    static constexpr int kWodChannelCount = 10;
    static constexpr std::array<ByteField, 4> kSetPoints = {{
        {"SPSUN", 54},
        {"SPECL", 55},
        {"ECCO", 60},
        {"EVCO", 61},
    }};
    static constexpr int kTeprCount = layout::sws::kTeprCount;

    explicit SwsFrame(const Frame& frame) : frame_(frame) {}

    std::uint8_t Byte(const ByteField& field) const { return frame_[field.offset]; }
    std::uint8_t WodChannel(int index) const { return frame_[WodChannelAt(index)]; }
    // TEPR pair 1..6.
    std::uint8_t TeprFirst(int pair) const { return frame_[TeprFirstAt(pair)]; }
    std::uint8_t TeprSecond(int pair) const { return frame_[TeprSecondAt(pair)]; }
    // Whether the frame reached the field itself, rather than leaving it to
    // an earlier frame's byte.
    bool Holds(const ByteField& field) const { return frame_.Holds(field.offset); }
    bool HoldsWodChannel(int index) const { return frame_.Holds(WodChannelAt(index)); }
    bool HoldsTeprFirst(int pair) const { return frame_.Holds(TeprFirstAt(pair)); }
    bool HoldsTeprSecond(int pair) const { return frame_.Holds(TeprSecondAt(pair)); }
    const Frame& Bytes() const { return frame_; }

private:
    static std::size_t WodChannelAt(int index) {
        return layout::sws::kWodChannels + static_cast<std::size_t>(index);
    }
    static std::size_t TeprFirstAt(int pair) {
        return layout::sws::kTeprFirst + static_cast<std::size_t>(pair);
    }
    static std::size_t TeprSecondAt(int pair) {
        return layout::sws::kTeprSecond + static_cast<std::size_t>(pair);
    }

    const Frame& frame_;
};

// Transmitter operation: seven states, each a 16-bit value and a mode.
class ToprFrame {
public:
    static constexpr int kStateCount = layout::topr::kStateCount;

    explicit ToprFrame(const Frame& frame) : frame_(frame) {}

    // State 1..7.
    std::uint16_t StateValue(int state) const { return frame_.WordAt(ValueAt(state)); }
    std::uint8_t StateMode(int state) const { return frame_[ModeAt(state)]; }
    // Whether the frame reached the field itself, rather than leaving it, or
    // part of it, to an earlier frame's bytes.
    bool HoldsStateValue(int state) const { return frame_.Holds(ValueAt(state), 2); }
    bool HoldsStateMode(int state) const { return frame_.Holds(ModeAt(state)); }
    const Frame& Bytes() const { return frame_; }

private:
    static std::size_t ValueAt(int state) {
        return layout::topr::kValues + 2 * static_cast<std::size_t>(state);
    }
    static std::size_t ModeAt(int state) {
        return layout::topr::kModes + static_cast<std::size_t>(state);
    }

    const Frame& frame_;
};

}  // namespace orvex

#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvex {

inline constexpr int kChannelCount = 38;
inline constexpr int kEclipseChannel = 35;
inline constexpr int kSetPointChannel = 36;
inline constexpr int kTeprStateChannel = 37;

// How a channel's value is written, alike in the panel, the report and the
// chart.
struct ValueForm {
    enum class Kind {
        Fixed,    // a fixed number of decimals, then the unit in the report
        Eclipse,  // "NO [0]" or "YES [n]"
        Whole,    // the whole part in plain digits
    };
    Kind kind = Kind::Fixed;
    int decimals = 3;  // Fixed only
};

struct Channel {
    std::string name;  // exactly 15 characters, trailing blanks included
    std::string unit;  // single-byte text: "°C" is B0 43
    ValueForm form;
};

using ChannelTable = std::array<Channel, kChannelCount>;

inline constexpr int kWodSlotCount = 10;
// The WOD format version, then the channel numbers of the ten WOD slots.
using WodChannelList = std::array<std::int16_t, kWodSlotCount + 1>;

// The 38 real-time telemetry channels, in the order of their bytes in a TLM
// frame.
const ChannelTable& TelemetryChannels();
// The channels the satellite gathers as whole-orbit data.
const WodChannelList& WodChannels();

// The channel table index of an odd channel number n (2 i + 49).
int ChannelIndexOfNumber(int channelNumber);
// The channel of WOD slot 0..9.
const Channel& WodSlotChannel(int slot);

}  // namespace orvex

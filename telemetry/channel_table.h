#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvex {

class WindowPort;

inline constexpr int kChannelCount = 38;
inline constexpr int kFirstStatusChannel = 34;  // EDAC counter, eclipse, set point, TEPR state
inline constexpr int kEclipseChannel = 35;
inline constexpr int kSetPointChannel = 36;
inline constexpr int kTeprStateChannel = 37;

struct Channel {
    std::string Name;  // exactly 15 characters, trailing blanks included
    std::string Unit;  // single-byte text: "°C" is B0 43
};

using ChannelTable = std::array<Channel, kChannelCount>;

inline constexpr int kWodSlotCount = 10;
// The WOD format version, then the channel numbers of the ten WOD slots.
using WodChannelList = std::array<std::int16_t, kWodSlotCount + 1>;

// The channel table index of an odd channel number n (2 i + 49).
int ChannelIndexOfNumber(int channelNumber);

// The fixed descriptions, as InitChannelTable assigns them.
const ChannelTable& StandardChannelTable();
const WodChannelList& StandardWodChannelList();

// Fills both tables and writes the names and units into the panel; empties
// the first four value fields.
void InitChannelTable(ChannelTable& table, WodChannelList& wod, WindowPort& window);

}  // namespace orvex

#include "telemetry/channel_table.h"

#include <cmath>

#include "input/window_port.h"

namespace orvex {

int ChannelIndexOfNumber(int channelNumber) {
    // Ties go to the even neighbour; channel numbers are odd, so it is exact.
    return static_cast<int>(std::nearbyint((channelNumber + 1) / 2.0 - 25));
}

const ChannelTable& StandardChannelTable() {
    static const ChannelTable table = {{
        {"Battery 0      ", "V"},
        {"Battery 4      ", "V"},
        {"Battery 2      ", "V"},
        {"Battery 6      ", "V"},
        {"Battery 1      ", "V"},
        {"Battery 5      ", "V"},
        {"Battery 3      ", "V"},
        {"Battery 7      ", "V"},
        {"Solar Array    ", "V"},
        {"8 Volts Bus    ", "V"},
        {"5 Volts Bus    ", "V"},
        {"10 Volts Bus   ", "V"},
        {"Batt #5 Temp   ",
         "\xB0"
         "C"},
        {"10 V Bus Cur   ", "mA"},
        {"8 V Bus Cur    ", "mA"},
        {"5 V Bus Cur    ", "mA"},
        {"X- Array Cur   ", "mA"},
        {"X+ Array Cur   ", "mA"},
        {"Y- Array Cur   ", "mA"},
        {"Y+ Array Cur   ", "mA"},
        {"Z- Array Cur   ", "mA"},
        {"Z+ Array Cur   ", "mA"},
        {"External Cur   ", "mA"},
        {"BCR Input Cur  ", "mA"},
        {"BCR Output Cur ", ""},
        {"BCR Plate Temp ",
         "\xB0"
         "C"},
        {"BCR PC Board   ",
         "\xB0"
         "C"},
        {"Batt #0 Temp   ",
         "\xB0"
         "C"},
        {"TX A RF Output ", "mW"},
        {"TX B RF Output ", "mW"},
        {"TX THER A      ",
         "\xB0"
         "C"},
        {"TX THER B      ",
         "\xB0"
         "C"},
        {"TX THER C      ",
         "\xB0"
         "C"},
        {"TX THER D      ",
         "\xB0"
         "C"},
        {"EDAC Counter   ", ""},
        {"Eclipse        ", ""},
        {"Set Point      ", ""},
        {"TEPR State     ", ""},
    }};
    return table;
}

const WodChannelList& StandardWodChannelList() {
    static const WodChannelList list = {18, 71, 123, 81, 83, 85, 87, 89, 91, 65, 73};
    return list;
}

void InitChannelTable(ChannelTable& table, WodChannelList& wod, WindowPort& window) {
    table = StandardChannelTable();
    wod = StandardWodChannelList();
    for (int i = 0; i < kChannelCount; ++i) {
        window.SetLabel1Caption(i, table[i].Name);
        window.SetLabel2Caption(i, table[i].Unit);
    }
    for (int i = 0; i < 4; ++i) {
        window.SetText1(i, "");
    }
}

}  // namespace orvex

#include "telemetry/channel_table.h"

#include <cmath>

namespace orvex {

int ChannelIndexOfNumber(int channelNumber) {
    // Ties go to the even neighbour; channel numbers are odd, so it is exact.
    return static_cast<int>(std::nearbyint((channelNumber + 1) / 2.0 - 25));
}

namespace {

// Single-byte text: the degree sign is B0.
constexpr char kCelsius[] =
    "\xB0"
    "C";

constexpr ValueForm kThreeDecimals{ValueForm::Kind::Fixed, 3};
constexpr ValueForm kEclipseForm{ValueForm::Kind::Eclipse, 0};
constexpr ValueForm kWholeForm{ValueForm::Kind::Whole, 0};

}  // namespace

const ChannelTable& TelemetryChannels() {
    static const ChannelTable kTable = {{
        {"Battery 0      ", "V", kThreeDecimals},
        {"Battery 4      ", "V", kThreeDecimals},
        {"Battery 2      ", "V", kThreeDecimals},
        {"Battery 6      ", "V", kThreeDecimals},
        {"Battery 1      ", "V", kThreeDecimals},
        {"Battery 5      ", "V", kThreeDecimals},
        {"Battery 3      ", "V", kThreeDecimals},
        {"Battery 7      ", "V", kThreeDecimals},
        {"Solar Array    ", "V", kThreeDecimals},
        {"8 Volts Bus    ", "V", kThreeDecimals},
        {"5 Volts Bus    ", "V", kThreeDecimals},
        {"10 Volts Bus   ", "V", kThreeDecimals},
        {"Batt #5 Temp   ", kCelsius, kThreeDecimals},
        {"10 V Bus Cur   ", "mA", kThreeDecimals},
        {"8 V Bus Cur    ", "mA", kThreeDecimals},
        {"5 V Bus Cur    ", "mA", kThreeDecimals},
        {"X- Array Cur   ", "mA", kThreeDecimals},
        {"X+ Array Cur   ", "mA", kThreeDecimals},
        {"Y- Array Cur   ", "mA", kThreeDecimals},
        {"Y+ Array Cur   ", "mA", kThreeDecimals},
        {"Z- Array Cur   ", "mA", kThreeDecimals},
        {"Z+ Array Cur   ", "mA", kThreeDecimals},
        {"External Cur   ", "mA", kThreeDecimals},
        {"BCR Input Cur  ", "mA", kThreeDecimals},
        {"BCR Output Cur ", "", kThreeDecimals},
        {"BCR Plate Temp ", kCelsius, kThreeDecimals},
        {"BCR PC Board   ", kCelsius, kThreeDecimals},
        {"Batt #0 Temp   ", kCelsius, kThreeDecimals},
        {"TX A RF Output ", "mW", kThreeDecimals},
        {"TX B RF Output ", "mW", kThreeDecimals},
        {"TX THER A      ", kCelsius, kThreeDecimals},
        {"TX THER B      ", kCelsius, kThreeDecimals},
        {"TX THER C      ", kCelsius, kThreeDecimals},
        {"TX THER D      ", kCelsius, kThreeDecimals},
        {"EDAC Counter   ", "", kThreeDecimals},
        {"Eclipse        ", "", kEclipseForm},
        {"Set Point      ", "", kWholeForm},
        {"TEPR State     ", "", kWholeForm},
    }};
    return kTable;
}

const WodChannelList& WodChannels() {
    static const WodChannelList kList = {18, 71, 123, 81, 83, 85, 87, 89, 91, 65, 73};
    return kList;
}

const Channel& WodSlotChannel(int slot) {
    return TelemetryChannels()[ChannelIndexOfNumber(WodChannels()[slot + 1])];
}

}  // namespace orvex

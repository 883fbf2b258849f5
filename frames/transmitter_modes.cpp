#include "frames/transmitter_modes.h"

#include <array>

namespace orvex {

std::string_view TxModeText(std::uint8_t mode) {
    static constexpr std::array<std::string_view, 7> kModes = {
        "OFF = Transmitters are turned off",
        "Digital Low   = NO Uplink  ==>  10mW 436.797MHz AFSK Downlink",
        "Digital Med   = NO Uplink  ==> 500mW 436.797MHz AFSK Downlink",
        "Digital High  = NO Uplink  ==>   4W  436.797MHz AFSK Downlink",
        "Analogue Low  = 145.850MHz Uplink <==>  10mW 436.797MHz Downlink",
        "Analogue Med  = 145.850MHz Uplink <==> 500mW 436.797MHz Downlink",
        "Analogue High = 145.850MHz Uplink <==>   4W  436.797MHz Downlink",
    };
    return mode < kModes.size() ? kModes[mode] : "UNKOWN";
}

}  // namespace orvex

#include "cli/share_options.h"

namespace orvex {

std::optional<std::string> ShareOptions::UsageProblem() const {
    if (!Asked()) {
        if (callsign || location || noradId) {
            return "--callsign, --location and --norad-id need --share URL";
        }
        return std::nullopt;
    }
    if (!noradId) {
        return "--share needs --norad-id N, the satellite's NORAD catalogue number: no frame "
               "is shared without it";
    }
    if (!callsign || !location) {
        return "--share needs the station: --callsign CALL and --location LAT,LON";
    }
    return std::nullopt;
}

Station ShareOptions::TheStation() const {
    return {callsign.value_or(""), location ? location->latitude : 0,
            location ? location->longitude : 0, noradId.value_or(0)};
}

}  // namespace orvex

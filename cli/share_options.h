#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "share/station.h"

namespace orvex {

// --share URL (repeatable) and the station's --callsign, --location and
// --norad-id: where received frames go, and who received them.
struct ShareOptions {
    std::vector<std::string> servers;
    std::optional<std::string> callsign;
    std::optional<Location> location;
    std::optional<std::uint32_t> noradId;

    bool Asked() const { return !servers.empty(); }
    // What the options lack or have too much of; nothing when they are
    // whole. The station goes nowhere without a server, and no frame goes
    // to one without the satellite's number and the station.
    std::optional<std::string> UsageProblem() const;
    Station TheStation() const;
};

}  // namespace orvex

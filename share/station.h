#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvex {

// The receiving station as telemetry servers know it: its callsign, where it
// is, and the NORAD catalogue number of the satellite it hears, which the
// user gives, as this program fixes none.
struct Station {
    std::string callsign;
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
    std::uint32_t noradId = 0;
};

struct Location {
    double latitude = 0;
    double longitude = 0;
};

// "52.52,13.405": decimal degrees, latitude first, south and west negative;
// nothing when it is not such a place.
std::optional<Location> ParseLocation(const std::string& text);

// A catalogue number: 1 to 999999999, digits only.
std::optional<std::uint32_t> ParseNoradId(const std::string& text);

// A callsign servers accept: 1 to 20 printable ASCII characters, no blank.
bool IsCallsign(const std::string& text);

}  // namespace orvex

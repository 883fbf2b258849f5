#pragma once

#include <QByteArray>

#include <cstdint>
#include <string>

#include "share/station.h"

namespace orvex {

// A frame as it waits to be shared: the bytes the TNC delivered after the
// KISS command byte, when they were received, and by which station.
struct SharedFrame {
    std::string bytes;
    std::int64_t receivedMs = 0;  // since 1970 UTC
    Station station;
};

// The frame as the Simple Downlink Share Convention posts it, form-encoded
// (application/x-www-form-urlencoded): noradID, source, timestamp, frame (in
// hexadecimal), locator, longitude, latitude and version.
QByteArray SidsForm(const SharedFrame& frame);

// "2026-03-01T12:00:00.123Z"
std::string IsoUtcMilliseconds(std::int64_t milliseconds);

// "13.4050E", "0.1180W": degrees to four decimals and the hemisphere.
std::string Degrees(double value, char positive, char negative);

}  // namespace orvex

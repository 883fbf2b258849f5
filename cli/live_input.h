#pragma once

#include <cstdint>
#include <string>

namespace orvex {

// A stream orvex-decode decodes while it arrives, and where it is recorded.
struct LiveInput {
    enum class Kind { KissTcp, Serial, StandardInput };
    Kind kind = Kind::KissTcp;
    std::string host;          // KissTcp
    std::uint16_t port = 0;    // KissTcp
    std::string device;        // Serial
    int baudRate = 0;          // Serial
    std::string recordFolder;  // the recording named by the time it began
    std::string recordFile;    // or named by the user
};

// "HOST:PORT", "HOST" (port 8001), "[IPv6]:PORT", "[IPv6]"; false for
// anything else.
bool ParseHostAndPort(const std::string& text, LiveInput& input);
// "::1", "fe80::1:8001": an IPv6 address given without its brackets, which
// cannot be told from its port.
bool IsBareIpv6Address(const std::string& text);
// "DEV:BAUD" or "DEV" (9600 baud); false when malformed.
bool ParseDeviceAndBaudRate(const std::string& text, LiveInput& input);

}  // namespace orvex

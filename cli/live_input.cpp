#include "cli/live_input.h"

#include <charconv>

#include "live/serial_link.h"
#include "live/tcp_link.h"

namespace orvex {
namespace {

// A whole decimal number from `lowest` to `highest`.
bool ParseNumber(std::string_view text, int lowest, int highest, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= lowest &&
           value <= highest;
}

}  // namespace

bool ParseHostAndPort(const std::string& text, LiveInput& input) {
    std::string host = text;
    int port = TcpLink::kUsualPort;
    const std::size_t colon = text.rfind(':');
    const bool bracketed = !text.empty() && text.front() == '[';
    const std::size_t hostEnd = bracketed ? text.find(']') : colon;
    if (bracketed && hostEnd == std::string::npos) {
        return false;
    }
    if (colon != std::string::npos && (!bracketed || colon > hostEnd)) {
        if (!ParseNumber(std::string_view(text).substr(colon + 1), 1, 65535, port)) {
            return false;
        }
        host = text.substr(0, colon);
    }
    if (bracketed) {
        host = text.substr(1, hostEnd - 1);
    }
    input.kind = LiveInput::Kind::KissTcp;
    input.host = host.empty() ? "localhost" : host;
    input.port = static_cast<std::uint16_t>(port);
    return true;
}

bool ParseDeviceAndBaudRate(const std::string& text, LiveInput& input) {
    int baudRate = SerialLink::kUsualBaudRate;
    std::string device = text;
    const std::size_t colon = text.rfind(':');
    if (colon != std::string::npos) {
        if (!ParseNumber(std::string_view(text).substr(colon + 1), 50, 4000000, baudRate)) {
            return false;
        }
        device = text.substr(0, colon);
    }
    if (device.empty()) {
        return false;
    }
    input.kind = LiveInput::Kind::Serial;
    input.device = device;
    input.baudRate = baudRate;
    return true;
}

}  // namespace orvex

#include "cli/live_input.h"

#include <charconv>
#include <optional>
#include <string_view>

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
    std::string_view host = text;
    std::optional<std::string_view> port;
    const bool bracketed = !text.empty() && text.front() == '[';
    if (bracketed) {
        const std::size_t close = text.find(']');
        if (close == std::string::npos) {
            return false;
        }
        host = std::string_view(text).substr(1, close - 1);
        const std::string_view rest = std::string_view(text).substr(close + 1);
        if (host.find(':') == std::string_view::npos || (!rest.empty() && rest.front() != ':')) {
            return false;  // brackets hold an IPv6 address and nothing follows but a port
        }
        if (!rest.empty()) {
            port = rest.substr(1);
        }
    } else if (const std::size_t colon = text.find(':'); colon != std::string::npos) {
        host = std::string_view(text).substr(0, colon);
        port = std::string_view(text).substr(colon + 1);
    }
    int number = TcpLink::kUsualPort;
    if (host.find_first_of(bracketed ? "[]" : "[]:") != std::string_view::npos ||
        (port && !ParseNumber(*port, 1, 65535, number))) {
        return false;
    }
    input.kind = LiveInput::Kind::KissTcp;
    input.host = host.empty() ? "localhost" : std::string(host);
    input.port = static_cast<std::uint16_t>(number);
    return true;
}

bool IsBareIpv6Address(const std::string& text) {
    return !text.empty() && text.front() != '[' && text.find(':') != text.rfind(':');
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

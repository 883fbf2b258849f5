#include "share/station.h"

#include <charconv>
#include <cmath>

namespace orvex {
namespace {

constexpr std::size_t kLongestCallsign = 20;
constexpr std::uint32_t kLargestNoradId = 999999999;

std::optional<double> ParseDegrees(std::string_view text, double limit) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value) || std::fabs(value) > limit) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<Location> ParseLocation(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const auto latitude = ParseDegrees(std::string_view(text).substr(0, comma), 90);
    const auto longitude = ParseDegrees(std::string_view(text).substr(comma + 1), 180);
    if (!latitude || !longitude) {
        return std::nullopt;
    }
    return Location{*latitude, *longitude};
}

std::optional<std::uint32_t> ParseNoradId(const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '+' || error != std::errc() ||
        end != text.data() + text.size() || value == 0 || value > kLargestNoradId) {
        return std::nullopt;
    }
    return value;
}

bool IsCallsign(const std::string& text) {
    if (text.empty() || text.size() > kLongestCallsign) {
        return false;
    }
    for (const char c : text) {
        if (c <= ' ' || c > '~') {
            return false;
        }
    }
    return true;
}

}  // namespace orvex

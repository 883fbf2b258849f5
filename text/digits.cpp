#include "text/digits.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orvex {
namespace {

// An exact tie at d decimals is a value v with v * 2^(d+1) an odd integer:
// (2k + 1) / (2 * 10^d) is a binary fraction only when 5^d divides 2k + 1.
bool IsExactTie(double value, int decimals) {
    const double scaled = std::ldexp(value, decimals + 1);
    return scaled == std::floor(scaled) && std::fmod(scaled, 2.0) != 0.0;
}

}  // namespace

void AppendHexByte(std::string& out, std::uint8_t b) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0x0F]);
}

std::string HexByte(std::uint8_t b) {
    std::string text;
    AppendHexByte(text, b);
    return text;
}

void AppendHexBytes(std::string& out, const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::size_t start = out.size();
    out.resize(start + 3 * count);
    char* to = out.data() + start;
    for (std::size_t i = 0; i < count; ++i) {
        *to++ = kDigits[bytes[i] >> 4];
        *to++ = kDigits[bytes[i] & 0x0F];
        *to++ = ' ';
    }
}

void AppendDecimal(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendPrintNumber(std::string& out, std::int64_t value) {
    out.push_back(value < 0 ? '-' : ' ');
    AppendDecimal(out, value < 0 ? -value : value);
    out.push_back(' ');
}

void AppendHashPattern(std::string& out, std::int64_t value) {
    if (value != 0) {
        AppendDecimal(out, value);
    }
}

void AppendFixedPoint(std::string& out, double value, int decimals, char separator) {
    // to_chars rounds an exact tie to even; one step away from zero makes it
    // round away from zero, and no other value is that close to a tie.
    if (IsExactTie(value, decimals)) {
        value = std::nextafter(value, value > 0 ? std::numeric_limits<double>::infinity()
                                                : -std::numeric_limits<double>::infinity());
    }
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    for (char* p = digits; p != result.ptr; ++p) {
        out.push_back(*p == '.' ? separator : *p);
    }
}

}  // namespace orvex

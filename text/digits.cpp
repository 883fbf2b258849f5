#include "text/digits.h"

#include <charconv>

namespace orvex {

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

}  // namespace orvex

#pragma once

#include <cstdint>
#include <string>

namespace orvex {

// Numbers and bytes as locale-free text. Texts in this program are
// single-byte strings, one char per byte, passed through unchanged to the
// report; only the window converts them.

// The byte as two upper-case hexadecimal digits.
void AppendHexByte(std::string& out, std::uint8_t b);
std::string HexByte(std::uint8_t b);

// Each byte as two hex digits and a blank.
void AppendHexBytes(std::string& out, const std::uint8_t* bytes, std::size_t count);

// Plain decimal digits, a minus sign only when negative.
void AppendDecimal(std::string& out, std::int64_t value);

// A number as its own item of a report line: sign place, digits, blank.
void AppendPrintNumber(std::string& out, std::int64_t value);

// The "###" pattern: digits without fill; zero gives nothing.
void AppendHashPattern(std::string& out, std::int64_t value);

// Fixed point with the given decimals, at least one integer digit, no
// grouping, `separator` before the decimals, rounded half away from zero on
// the exact binary value of the double.
void AppendFixedPoint(std::string& out, double value, int decimals, char separator = '.');

}  // namespace orvex

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "input/frame.h"

namespace orvex {

// Texts in this program are single-byte strings: one char per frame byte,
// passed through unchanged to the report. Only the window converts them.

// Appends the byte as two upper-case hexadecimal digits.
void AppendHexByte(std::string& out, std::uint8_t b);
std::string HexByte(std::uint8_t b);

// Each byte as two hex digits and a blank.
void AppendHexBytes(std::string& out, const std::uint8_t* bytes, std::size_t count);

// Each byte from `from` to the frame's last byte as two hex digits and a blank.
void AppendHexText(std::string& out, const Frame& frame, std::size_t from);

// Each byte from `from` to the frame's last byte as the character of that
// code; empty when the frame ends before `from`.
std::string_view FrameText(const Frame& frame, std::size_t from);

// Plain decimal digits, a minus sign only when negative.
void AppendDecimal(std::string& out, std::int64_t value);

// The report's print-statement form of a number: sign place, digits, blank.
void AppendPrintNumber(std::string& out, std::int64_t value);

// The "###" pattern: digits without fill; zero gives nothing.
void AppendHashPattern(std::string& out, std::int64_t value);

inline constexpr char kLineEnd[] = "\r\n";
inline void EndLine(std::string& out) {
    out += kLineEnd;
}

}  // namespace orvex

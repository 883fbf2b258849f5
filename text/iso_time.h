#pragma once

#include <cstdint>
#include <string>

namespace orvex {

// A frame time as ISO 8601 in UTC, locale-free: "2026-03-01T12:00:00Z". Every
// count of seconds a frame can hold (0 to 4294967295) has one.
void AppendIsoUtc(std::string& out, std::uint32_t seconds);

}  // namespace orvex

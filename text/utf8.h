#pragma once

#include <string>
#include <string_view>

namespace orvex {

// A single-byte (Latin-1) text of the core as UTF-8, for files other tools
// read: the degree sign B0 becomes C2 B0.
std::string Latin1ToUtf8(std::string_view latin1);

}  // namespace orvex

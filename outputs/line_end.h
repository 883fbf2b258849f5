#pragma once

#include <string>

namespace orvex {

// The report and the WOD export end every line with CR LF.
inline constexpr char kLineEnd[] = "\r\n";
inline void EndLine(std::string& out) {
    out += kLineEnd;
}

}  // namespace orvex

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "kiss/frame.h"

namespace orvex {

// Each byte from `from` to the frame's last byte as the character of that
// code; empty when the frame ends before `from`.
std::string_view FrameTextFrom(const Frame& frame, std::size_t from);

// Each byte from `from` to the frame's last byte as two hex digits and a
// blank.
void AppendFrameHexFrom(std::string& out, const Frame& frame, std::size_t from);

}  // namespace orvex

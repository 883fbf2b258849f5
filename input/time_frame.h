#pragma once

#include <string>
#include <string_view>

#include "input/decoder_state.h"

namespace orvex {

// The frame's text from offset 7, as a List1 item and, with the report on,
// as the line tag + text and an empty line. Time and text frames alike.
void DecodeListedTextFrame(DecoderState& state, std::string_view tag);

// "[TIME] " and the frame's text.
void DecodeTimeFrame(DecoderState& state);

}  // namespace orvex

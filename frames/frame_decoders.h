#pragma once

#include <cstdint>
#include <string_view>

#include "input/decoder_state.h"

namespace orvex {

// The status frames only write report blocks; the text frames also list
// their text in List1.
void DecodeHwsFrame(DecoderState& state);
void DecodeSwsFrame(DecoderState& state);
void DecodeToprFrame(DecoderState& state);
// tag: "[INF] ", "[BCR] ", "[MESSAGE] ", "[ERR] ", "[COEF] ", "[WOD FORMAT] "
// or "[TLM CONTROL] ".
void DecodeTextFrame(DecoderState& state, std::string_view tag);

// The text of a transmitter mode; "UNKOWN" beyond mode 6.
std::string_view TxModeText(std::uint8_t mode);

}  // namespace orvex

#pragma once

#include "input/decoder_state.h"

namespace orvex {

// A TLM frame: the next record, the software version in Text3(1), the report
// block. Beyond the store's 100 records the frame is still counted and
// reported from its own values, but not stored.
void DecodeTlmFrame(DecoderState& state);

// A WOD frame: three samples as rows of List2 and raw lines in the report.
void DecodeWodFrame(DecoderState& state);

}  // namespace orvex

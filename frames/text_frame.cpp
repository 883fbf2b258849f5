#include "frames/frame_decoders.h"
#include "input/time_frame.h"

namespace orvex {

void DecodeTextFrame(DecoderState& state, std::string_view tag) {
    DecodeListedTextFrame(state, tag);
}

}  // namespace orvex

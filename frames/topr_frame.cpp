#include "frames/frame_decoders.h"
#include "frames/status_block.h"
#include "input/field_helpers.h"

namespace orvex {

void DecodeToprFrame(DecoderState& state) {
    WriteStatusBlock(state, [](std::string& out, const Frame& frame) {
        AppendTaggedHexLines(out, "[TOPR]", frame);
        for (std::size_t k = 1; k <= 7; ++k) {
            out += "[TOPR]TOPR State ";
            AppendDecimal(out, static_cast<std::int64_t>(k));
            out += ": ";
            AppendPrintNumber(out, frame.WordAt(5 + 2 * k));
            out += TxModeText(frame[20 + k]);
            EndLine(out);
        }
        EndLine(out);
    });
}

}  // namespace orvex

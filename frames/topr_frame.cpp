#include "frames/frame_decoders.h"
#include "input/field_helpers.h"

namespace orvex {

void DecodeToprFrame(DecoderState& state) {
    ++state.FrameCount;
    if (!state.ReportEnabled()) {
        return;
    }
    const Frame& frame = state.frame;
    std::string& out = state.report.Out();
    out += "[TOPR]";
    AppendHexText(out, frame, kBodyOffset);
    EndLine(out);
    EndLine(out);
    for (std::size_t k = 1; k <= 7; ++k) {
        out += "[TOPR]TOPR State ";
        AppendDecimal(out, static_cast<std::int64_t>(k));
        out += ": ";
        AppendPrintNumber(out, frame.WordAt(5 + 2 * k));
        out += TxModeText(frame[20 + k]);
        EndLine(out);
    }
    EndLine(out);
    state.report.EndBlock();
}

}  // namespace orvex

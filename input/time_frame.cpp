#include "input/time_frame.h"

#include "input/field_helpers.h"

namespace orvex {

void DecodeListedTextFrame(DecoderState& state, std::string_view tag) {
    ++state.FrameCount;
    const std::string_view text = FrameText(state.frame, kBodyOffset);
    state.window.AddList1Item(text);
    if (!state.ReportEnabled()) {
        return;
    }
    std::string& out = state.report.Out();
    out += tag;
    out += text;
    EndLine(out);
    EndLine(out);
    state.report.EndBlock();
}

void DecodeTimeFrame(DecoderState& state) {
    DecodeListedTextFrame(state, "[TIME] ");
}

}  // namespace orvex

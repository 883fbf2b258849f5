#pragma once

#include <string>
#include <string_view>

#include "input/decoder_state.h"

namespace orvex {

// A status frame counts, and writes its block only while the report is on:
// `write` gets the report's text and the frame, and the block is ended after.
template <class Write>
void WriteStatusBlock(DecoderState& state, Write write) {
    ++state.FrameCount;
    if (!state.ReportEnabled()) {
        return;
    }
    write(state.report.Out(), state.frame);
    state.report.EndBlock();
}

// The tag, the frame's hex text from offset 7, the line end, an empty line.
void AppendTaggedHexLines(std::string& out, std::string_view tag, const Frame& frame);

}  // namespace orvex

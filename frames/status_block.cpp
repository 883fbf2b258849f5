#include "frames/status_block.h"

#include "input/field_helpers.h"

namespace orvex {

void AppendTaggedHexLines(std::string& out, std::string_view tag, const Frame& frame) {
    out += tag;
    AppendHexText(out, frame, kBodyOffset);
    EndLine(out);
    EndLine(out);
}

}  // namespace orvex

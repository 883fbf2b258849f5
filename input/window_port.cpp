#include "input/window_port.h"

#include "input/field_helpers.h"

namespace orvex {

std::string FrameCountCaption(std::uint64_t frameCount) {
    std::string caption = std::to_string(frameCount);
    caption += " frames";
    return caption;
}

std::string RecordPositionText(int position, int recordCount) {
    std::string text = "#";
    AppendDecimal(text, position);
    text += " / ";
    AppendDecimal(text, recordCount);
    return text;
}

}  // namespace orvex

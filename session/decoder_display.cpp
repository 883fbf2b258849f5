#include "session/decoder_display.h"

#include "text/digits.h"

namespace orvex {

std::string RecordPositionText(int position, int recordCount) {
    std::string text = "#";
    AppendDecimal(text, position);
    text += " / ";
    AppendDecimal(text, recordCount);
    return text;
}

}  // namespace orvex

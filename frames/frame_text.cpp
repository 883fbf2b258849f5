#include "frames/frame_text.h"

#include "text/digits.h"

namespace orvex {

std::string_view FrameTextFrom(const Frame& frame, std::size_t from) {
    if (frame.length <= from) {
        return {};
    }
    return {reinterpret_cast<const char*>(frame.bytes.data()) + from, frame.length - from};
}

void AppendFrameHexFrom(std::string& out, const Frame& frame, std::size_t from) {
    if (frame.length > from) {
        AppendHexBytes(out, frame.bytes.data() + from, frame.length - from);
    }
}

}  // namespace orvex

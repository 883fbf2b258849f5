#pragma once

#include <string_view>

#include "frames/frame_text.h"
#include "frames/frame_type.h"

namespace orvex {

// The time frame and the seven text frames (INF, BCR, MESSAGE, ERR, COEF,
// WOD FORMAT, TLM CONTROL): one character per byte from offset 7 to the
// frame's last byte, with no length field and no terminator.
class TextFrame {
public:
    explicit TextFrame(const Frame& frame) : frame_(frame) {}

    FrameType Type() const { return static_cast<FrameType>(frame_[layout::kType]); }
    std::string_view Text() const { return FrameTextFrom(frame_, layout::kBody); }

private:
    const Frame& frame_;
};

}  // namespace orvex

#include "tools/synth/synth_frame.h"

namespace orvex::synth {
namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;

}  // namespace

FrameBuilder::FrameBuilder(SynthFrame& frame, std::uint8_t type, std::uint32_t sequence)
    : frame_(frame) {
    frame_.bytes.fill(0);
    frame_.length = 0;
    frame_.crLfLineBreaks = false;
    Put(0, 0xC0);
    Put(1, 0);
    for (std::size_t i = 0; i < 4; ++i) {
        Put(2 + i, static_cast<std::uint8_t>(sequence >> (8 * i)));
    }
    Put(6, type);
    fixed_.set(0).set(1).set(6);
}

void FrameBuilder::Put(std::size_t offset, std::uint8_t value) {
    frame_.bytes[offset] = value;
    if (offset >= frame_.length) {
        frame_.length = offset + 1;
    }
}

void FrameBuilder::PutWord(std::size_t offset, std::uint16_t value) {
    Put(offset, static_cast<std::uint8_t>(value));
    Put(offset + 1, static_cast<std::uint8_t>(value >> 8));
}

void FrameBuilder::PutTime(std::size_t offset, std::uint32_t seconds) {
    for (std::size_t i = 0; i < 4; ++i) {
        Put(offset + i, static_cast<std::uint8_t>(seconds >> (8 * i)));
        fixed_.set(offset + i);
    }
}

void FrameBuilder::Append(std::string_view text) {
    for (const char c : text) {
        Put(frame_.length, static_cast<std::uint8_t>(c));
    }
}

bool FrameBuilder::Finish() {
    auto& bytes = frame_.bytes;
    for (std::size_t i = 1; i + 1 < frame_.length; ++i) {
        if (bytes[i] != kCr || bytes[i + 1] != kLf) {
            continue;
        }
        if (!fixed_[i + 1]) {
            bytes[i + 1] = kLf + 1;
        } else if (!fixed_[i]) {
            bytes[i] = kCr - 1;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace orvex::synth

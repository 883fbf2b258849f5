#include "tools/synth/kiss_writer.h"

#include <array>
#include <string_view>

namespace orvex::synth {
namespace {

constexpr char kFend = '\xC0';
constexpr char kFesc = '\xDB';
constexpr char kTfend = '\xDC';
constexpr char kTfesc = '\xDD';
constexpr std::size_t kBlockSize = 1 << 20;
constexpr double kStrayChance = 0.03;

}  // namespace

KissWriter::KissWriter(ByteSink& sink, std::uint64_t seed)
    : sink_(sink), random_(Mix64(seed ^ 0x1155)) {
    buffer_.reserve(kBlockSize + 512);
}

void KissWriter::Write(const SynthFrame& frame) {
    buffer_ += kFend;
    for (std::size_t i = 1; i < frame.length; ++i) {
        const char b = static_cast<char>(frame.bytes[i]);
        if (b == kFend) {
            buffer_ += kFesc;
            buffer_ += kTfend;
        } else if (b == kFesc) {
            buffer_ += kFesc;
            buffer_ += kTfesc;
        } else {
            buffer_ += b;
            if (b == '\r' && frame.crLfLineBreaks) {
                buffer_ += '\n';
            }
        }
    }
    buffer_ += kFend;
    if (random_.Chance(kStrayChance)) {
        WriteStrayBytes();
    }
    if (buffer_.size() >= kBlockSize) {
        Flush();
    }
}

void KissWriter::WriteStrayBytes() {
    static constexpr std::array<std::string_view, 3> kTncLines = {"\r\n", "\r\ncmd:", "\n"};
    if (random_.Chance(0.6)) {
        buffer_ += kTncLines[random_.Between(0, static_cast<int>(kTncLines.size()) - 1)];
        return;
    }
    for (int n = random_.Between(1, 6); n > 0; --n) {
        char noise = static_cast<char>(random_.Between(0, 255));
        buffer_ += noise == kFend ? '\0' : noise;
    }
}

void KissWriter::Flush() {
    sink_.Write(buffer_);
    flushed_ += buffer_.size();
    buffer_.clear();
}

}  // namespace orvex::synth

// The KISS reader alone: every frame it delivers is well formed, and the
// frames do not depend on how the log's bytes are split into blocks.
#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz/fuzz_input.h"
#include "kiss/kiss_reader.h"
#include "kiss/log_source.h"

namespace {

using orvex::Frame;
using orvex::KissReader;
using orvex::MemoryLogSource;

void CheckFrame(const Frame& frame) {
    ORVEX_FUZZ_CHECK(frame.length >= 1 && frame.length <= orvex::kFrameCapacity);
    ORVEX_FUZZ_CHECK(frame[0] == orvex::kFend);
    // Every position is written by the reader, so a kept CR is never followed
    // by the LF it swallows.
    for (std::size_t i = 1; i + 1 < frame.length; ++i) {
        ORVEX_FUZZ_CHECK(!(frame[i] == 0x0D && frame[i + 1] == 0x0A));
    }
    // Bytes between frames are taken for a frame only with a data header.
    if (frame.openingFendSharedOrLost) {
        namespace layout = orvex::layout;
        ORVEX_FUZZ_CHECK(frame.length >= layout::kHeaderLength && frame[layout::kCommand] == 0 &&
                         frame[layout::kType] >= 1 && frame[layout::kType] <= layout::kTypeCount);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const orvex::fuzz::FuzzInput input = orvex::fuzz::SplitInput(data, size);
    const std::size_t smallBlock = input.control[0] % 32 + 1;
    const auto fends = static_cast<std::size_t>(
        std::count(input.log.begin(), input.log.end(), static_cast<char>(orvex::kFend)));

    MemoryLogSource wholeSource{std::string(input.log)};
    MemoryLogSource splitSource{std::string(input.log)};
    KissReader whole(wholeSource, 4096);
    KissReader split(splitSource, smallBlock);
    Frame a, b;
    std::size_t frames = 0;
    for (;;) {
        const bool gotA = whole.ReadNextFrame(a);
        const bool gotB = split.ReadNextFrame(b);
        ORVEX_FUZZ_CHECK(gotA == gotB);
        if (!gotA) {
            break;
        }
        ++frames;
        CheckFrame(a);
        ORVEX_FUZZ_CHECK(a.length == b.length);
        ORVEX_FUZZ_CHECK(a.openingFendSharedOrLost == b.openingFendSharedOrLost);
        ORVEX_FUZZ_CHECK(std::memcmp(a.bytes.data(), b.bytes.data(), a.length) == 0);
        ORVEX_FUZZ_CHECK(whole.BytesConsumed() == split.BytesConsumed());
        ORVEX_FUZZ_CHECK(whole.BytesConsumed() <= input.log.size());
    }
    // Each frame takes an FEND of its own: the one that opens it or, for one
    // found between frames, the one that closes it.
    ORVEX_FUZZ_CHECK(frames <= fends);
    ORVEX_FUZZ_CHECK(whole.BytesConsumed() == input.log.size());
    ORVEX_FUZZ_CHECK(whole.ReadError() == 0);
    // The end of the data stays the end.
    ORVEX_FUZZ_CHECK(!whole.ReadNextFrame(a));
    return 0;
}

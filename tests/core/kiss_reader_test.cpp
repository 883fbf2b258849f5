#include "input/kiss_reader.h"

#include <gtest/gtest.h>

#include "tests/support/log_builder.h"

#include <string>
#include <vector>

namespace orvex {
namespace {

// The frames a log's bytes give, each as the bytes at offsets 0..FrameLength-1.
std::vector<std::string> FramesOf(const std::string& log, std::size_t blockSize = 1 << 20) {
    MemoryByteSource source(log);
    KissReader reader(source, blockSize);
    Frame frame;
    std::vector<std::string> frames;
    while (reader.ReadNextFrame(frame)) {
        frames.emplace_back(reinterpret_cast<const char*>(frame.FrameBuffer.data()),
                            frame.FrameLength);
    }
    return frames;
}

using Frames = std::vector<std::string>;

TEST(KissReader, ReadsAFrameBetweenTwoFends) {
    EXPECT_EQ(FramesOf(test::Bytes({0xC0, 0x00, 0x11, 0x22, 0xC0})),
              Frames{test::Bytes({0xC0, 0x00, 0x11, 0x22})});
}

}  // namespace
}  // namespace orvex

#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::Bytes;
using test::KissFrame;

class Dispatch : public test::LoadFixture {};

TEST_F(Dispatch, OtherPortsAndUnknownTypesAreReadButNotCounted) {
    const LoadOutcome outcome = Load(KissFrame(1, "port 1", 1) + KissFrame(14, "type 14") +
                                     KissFrame(0, "type 0") + KissFrame(1, "counted"));
    EXPECT_EQ(outcome.framesDecoded, 1u);
    EXPECT_EQ(outcome.framesRead, 4u);
    EXPECT_EQ(hook.framesRead, 4u);
    EXPECT_EQ(display.frameCounter, "1 frames");
    EXPECT_EQ(display.frameTexts, std::vector<std::string>{"counted"});
    EXPECT_EQ(ReportBody(), "[TIME] counted\r\n\r\n");
}

TEST_F(Dispatch, FramesShorterThanSevenBytesAreSkipped) {
    // The second frame would read the type byte 1 left by the first.
    const LoadOutcome outcome = Load(KissFrame(1, "long enough") + Bytes({0xC0, 0x00, 0xC0}) +
                                     Bytes({0xC0, 0xC0}) + Bytes({0xC0, 0, 0, 0, 0, 0, 0xC0}));
    EXPECT_EQ(outcome.framesDecoded, 1u);
    EXPECT_EQ(hook.framesRead, 4u);
    EXPECT_EQ(display.frameTexts.size(), 1u);
}

TEST_F(Dispatch, BytesBetweenFramesAreNoFrame) {
    Load("noise" + KissFrame(1, "A") + "\r\n" + KissFrame(1, "B") + "tail");
    EXPECT_EQ(hook.framesRead, 2u);
    EXPECT_EQ(display.frameCounter, "2 frames");
}

TEST_F(Dispatch, ShortFramesReadStaleBytesAtFixedOffsets) {
    // A WOD frame of 8 bytes still yields three rows, from the TLM frame's bytes.
    options.writeReport = false;
    options.writeWodExport = false;
    Load(KissFrame(2, test::TlmBody(0, 100)) + KissFrame(8, Bytes({0})));
    const std::vector<std::string> rows = session.CurrentLoad()->WodRows().Items();
    ASSERT_EQ(rows.size(), 3u);
    // Offsets 7..51 of the TLM frame: its time, then zeros up to offset 55.
    EXPECT_EQ(rows[0], "00:00:00;8.17;0.00;2.54;3.88;1.95;0.84;-5.17;3.72;7.97;145.08;");
}

}  // namespace
}  // namespace orvex

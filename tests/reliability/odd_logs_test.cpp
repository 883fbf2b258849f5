// Logs beyond what the frame layout was designed for: no frames at all,
// frames too short or too long, broken escapes, and more frames than a 16-bit
// count holds.
#include "outputs/wod_export.h"
#include "tests/reliability/cli_runner.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::Bytes;
using test::KissFrame;

std::string TimeFrames(int count) {
    std::string log;
    for (int i = 0; i < count; ++i) {
        log += KissFrame(1, "");
    }
    return log;
}

struct OddLog {
    const char* name;
    std::string bytes;
    int framesRead;
    int frames;           // decoded
    std::string account;  // the line after the summary, when any count is not zero
};

std::vector<OddLog> OddLogs() {
    const std::string cut = Bytes({0xC0, 0x00, 0, 0, 0, 0, 1}) + "tail";
    return {
        {"empty", "", 0, 0, ""},
        {"no FEND", "plain text\r\nwithout any frame delimiter\r\n", 0, 0,
         "  41 bytes outside frames\n"},
        {"FENDs only", Bytes({0xC0, 0xC0, 0xC0, 0xC0, 0xC0}), 3, 0,
         "  3 frames shorter than 7 bytes\n"},
        {"short frames", Bytes({0xC0, 0x00, 0xC0, 0xC0, 0x00, 0, 0, 0, 0, 0xC0}), 2, 0,
         "  2 frames shorter than 7 bytes\n"},
        {"oversized frame", KissFrame(9, std::string(600, 'x')) + KissFrame(1, "after"), 2, 2,
         "  1 frame cut at 512 bytes\n"},
        {"dangling FESC",
         Bytes(
             {0xC0, 0x00, 0, 0, 0, 0, 1, 0x41, 0xDB, 0xC0, 0xC0, 0x00, 0, 0, 0, 0, 1, 0x41, 0xDB}),
         2, 2, "  2 dangling escapes, 1 frame cut at the end of the log\n"},
        {"cut by the end of the file", KissFrame(1, "a") + cut, 2, 2,
         "  1 frame cut at the end of the log\n"},
        {"more than 65535 frames", TimeFrames(65537), 65537, 65537, ""},
    };
}

TEST(CliOddLogs, EachDecodesWithExitZeroAndItsFrameCount) {
    const test::TempFolder folder;
    for (const OddLog& log : OddLogs()) {
        SCOPED_TRACE(log.name);
        const std::string path = folder.Write("odd.kss", log.bytes);
        const test::CliResult run = test::RunCli({path});
        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, path + ": " + std::to_string(log.framesRead) + " frames read, " +
                               std::to_string(log.frames) +
                               " decoded, 0 TLM records, 0 WOD rows (0 distinct)\n" + log.account);
        EXPECT_EQ(test::ReadFile(folder / "odd.csv"), WodExportHeader());
    }
}

class OddLogs : public test::LoadFixture {};

TEST_F(OddLogs, LogsWithoutFramesLeaveTheHeadersAlone) {
    for (const std::string& bytes : {std::string(), std::string("no delimiter"), Bytes({0xC0})}) {
        const LoadOutcome outcome = Load(bytes);
        EXPECT_EQ(outcome.framesDecoded, 0u);
        EXPECT_TRUE(outcome.problems.empty());
        EXPECT_EQ(ReportBody(), "");
        EXPECT_EQ(ExportRows(), "");
        EXPECT_EQ(display.recordScrollMaximum, 0);
    }
}

TEST_F(OddLogs, FrameCountIsExactBeyondSixteenBits) {
    for (const int count : {32767, 32768, 65535, 65536, 65537}) {
        SCOPED_TRACE(count);
        options.writeReport = count == 65537;
        const LoadOutcome outcome = Load(TimeFrames(count));
        EXPECT_EQ(outcome.framesDecoded, static_cast<std::uint64_t>(count));
        EXPECT_EQ(display.frameCounter, std::to_string(count) + " frames");
        EXPECT_EQ(display.frameTexts.size(), static_cast<std::size_t>(count));
    }
    EXPECT_EQ(ReportBody().size(), 65537u * std::string("[TIME] \r\n\r\n").size());
}

TEST_F(OddLogs, OversizedFrameKeepsItsFirst512BytesAndTheNextFrameIsWhole) {
    std::string text(600, 'x');
    text.replace(505, 5, "LOST!");
    Load(KissFrame(9, text) + KissFrame(1, "after"));
    ASSERT_EQ(display.frameTexts.size(), 2u);
    EXPECT_EQ(display.frameTexts[0], std::string(505, 'x'));
    EXPECT_EQ(display.frameTexts[1], "after");
    EXPECT_EQ(ReportBody(), "[ERR] " + std::string(505, 'x') + "\r\n\r\n[TIME] after\r\n\r\n");
}

TEST_F(OddLogs, DanglingEscapesAreDropped) {
    // FESC before an ordinary byte, FESC before the closing FEND, FESC at the
    // end of the file.
    Load(Bytes({0xC0, 0x00, 0, 0, 0, 0, 1, 0x41, 0xDB, 0x42, 0xC0}) +
         Bytes({0xC0, 0x00, 0, 0, 0, 0, 1, 0x43, 0xDB, 0xC0}) +
         Bytes({0xC0, 0x00, 0, 0, 0, 0, 1, 0xDC, 0x44, 0xDB}));
    EXPECT_EQ(display.frameTexts, (std::vector<std::string>{"AB", "C",
                                                            "\xDC"
                                                            "D"}));
}

}  // namespace
}  // namespace orvex

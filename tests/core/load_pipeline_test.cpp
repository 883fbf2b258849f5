#include <filesystem>

#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::TlmBody;

constexpr std::uint32_t kAfternoon = 1796652185;  // 2026-12-07 14:03:05 UTC

std::string TlmFrames(int count, std::uint8_t firstRaw = 0) {
    std::string log;
    for (int i = 0; i < count; ++i) {
        log += KissFrame(2, TlmBody(kAfternoon + i, static_cast<std::uint8_t>(firstRaw + i)));
    }
    return log;
}

class LoadPipeline : public test::LoadFixture {
protected:
    LoadPipeline() {
        window.onHScroll1Change = [this](int position) { session.RecordPositionChanged(position); };
    }
};

TEST_F(LoadPipeline, EndOfLoadShowsTheRecordAtTheScrollBarsPosition) {
    const LoadOutcome outcome = Load(TlmFrames(12) + KissFrame(1, "T"));
    EXPECT_TRUE(outcome.decoded);
    EXPECT_EQ(outcome.frames, 13u);
    EXPECT_EQ(window.label3, "13 frames");
    EXPECT_TRUE(window.hScroll1Enabled);
    EXPECT_EQ(window.hScroll1Maximum, 12);
    EXPECT_EQ(window.text2, "#1 / 12");
    EXPECT_EQ(window.text1[24], "0.000");
    EXPECT_EQ(window.selectedRow, 0);
    EXPECT_EQ(window.chart.size(), 12u);
    EXPECT_FALSE(window.busy);
    EXPECT_EQ(window.text4, logPath);
    EXPECT_EQ(outcome.reportPath, folder / "orbit.tlm");
    EXPECT_EQ(outcome.exportPath, folder / "orbit.csv");
}

TEST_F(LoadPipeline, PositionKeptWhenTheNextLogHasEnoughRecords) {
    Load(TlmFrames(12));
    window.hScroll1Position = 5;
    session.RecordPositionChanged(5);
    Load(TlmFrames(8, 100));
    EXPECT_EQ(window.text2, "#5 / 8");
    EXPECT_EQ(window.text1[24], "104.000");
}

TEST_F(LoadPipeline, PositionMovesDownToAShorterLogsLastRecord) {
    Load(TlmFrames(12));
    window.hScroll1Position = 10;
    Load(TlmFrames(3, 50));
    EXPECT_EQ(window.hScroll1Position, 3);
    EXPECT_EQ(window.text2, "#3 / 3");
    EXPECT_EQ(window.text1[24], "52.000");
}

TEST_F(LoadPipeline, LogWithoutFramesKeepsTheLabelAndEmptiesTheLists) {
    Load(KissFrame(1, "first"));
    ASSERT_EQ(window.label3, "1 frames");
    const LoadOutcome outcome = Load("no frame in here");
    EXPECT_EQ(outcome.frames, 0u);
    EXPECT_EQ(window.label3, "1 frames");
    EXPECT_TRUE(window.list1.empty());
    EXPECT_EQ(session.State().List2.Count(), 0u);
    EXPECT_EQ(window.hScroll1Maximum, 0);
    EXPECT_EQ(window.text2, "#0 / 0");
}

TEST_F(LoadPipeline, CancelledDialogKeepsThePreviousLoad) {
    Load(TlmFrames(2) + KissFrame(1, "kept"));
    window.text1.fill("shown");
    const LoadOutcome outcome = session.OpenLog("");
    EXPECT_FALSE(outcome.decoded);
    EXPECT_EQ(window.text4, "");
    EXPECT_EQ(window.list1, std::vector<std::string>{"kept"});
    EXPECT_EQ(window.chart.size(), 2u);
    EXPECT_EQ(session.State().records.RecordCount(), 2);
    // The channel table is written again: the first four values are emptied.
    EXPECT_EQ(window.text1[3], "");
    EXPECT_EQ(window.text1[4], "shown");
}

TEST_F(LoadPipeline, SecondLoadStartsFromEmptyListsAndZeroCounts) {
    Load(KissFrame(1, "a") + KissFrame(1, "b") + TlmFrames(3));
    const LoadOutcome outcome = Load(KissFrame(1, "c"));
    EXPECT_EQ(outcome.frames, 1u);
    EXPECT_EQ(outcome.records, 0);
    EXPECT_EQ(window.list1, std::vector<std::string>{"c"});
}

TEST_F(LoadPipeline, SelectionDuringTheLoadChartsTheRecordsSoFar) {
    std::vector<std::size_t> chartSizes;
    window.onYield = [&](std::uint64_t) {
        session.ShowChannelChart(5);
        chartSizes.push_back(window.chart.size());
    };
    Load(TlmFrames(3));
    EXPECT_EQ(chartSizes, (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(window.frame1Caption, "Battery 0       [ V ] ");
}

TEST_F(LoadPipeline, NoSecondLoadStartsInsideTheFirst) {
    LoadOutcome inner;
    window.onYield = [&](std::uint64_t) {
        EXPECT_TRUE(session.Loading());
        inner = session.OpenLog(logPath);
    };
    const LoadOutcome outer = Load(KissFrame(1, "one"));
    EXPECT_FALSE(inner.decoded);
    EXPECT_TRUE(outer.decoded);
    EXPECT_FALSE(session.Loading());
}

TEST_F(LoadPipeline, StopRequestEndsTheLoadWithoutTheEndSteps) {
    window.onYield = [this](std::uint64_t count) { window.stopRequested = count == 2; };
    const LoadOutcome outcome = Load(KissFrame(1, "1") + KissFrame(1, "2") + KissFrame(1, "3"));
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.frames, 2u);
    EXPECT_FALSE(window.busy);
    EXPECT_FALSE(window.hScroll1Enabled);
    EXPECT_FALSE(test::FileExists(folder / "orbit.csv"));
    EXPECT_EQ(ReportBody(), "[TIME] 1\r\n\r\n[TIME] 2\r\n\r\n");
}

TEST_F(LoadPipeline, LongStretchWithoutFramesStillYieldsAndCanBeStopped) {
    const std::string junk(3 << 20, 'x');
    Load(junk + KissFrame(1, "late"));
    EXPECT_GE(window.readingYields, 3u);
    EXPECT_EQ(window.list1, std::vector<std::string>{"late"});

    std::filesystem::remove(folder / "orbit.csv");
    window.onReadingYield = [this] { window.stopRequested = true; };
    const LoadOutcome outcome = Load(junk + KissFrame(1, "never read"));
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.frames, 0u);
    EXPECT_FALSE(window.busy);
    EXPECT_FALSE(test::FileExists(folder / "orbit.csv"));
}

}  // namespace
}  // namespace orvex

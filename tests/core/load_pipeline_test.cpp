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

class LoadPipeline : public test::LoadFixture {};

TEST_F(LoadPipeline, EndOfLoadShowsTheRecordAtTheScrollBarsPosition) {
    const LoadOutcome outcome = Load(TlmFrames(12) + KissFrame(1, "T"));
    EXPECT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.framesDecoded, 13u);
    EXPECT_EQ(display.frameCounter, "13 frames");
    EXPECT_TRUE(display.recordNavigationEnabled);
    EXPECT_EQ(display.recordScrollMaximum, 12);
    EXPECT_EQ(display.recordPosition, "#1 / 12");
    EXPECT_EQ(display.channelValues[24], "0.000");
    EXPECT_EQ(display.selectedChannel, 0);
    EXPECT_EQ(display.chart.size(), 12u);
    EXPECT_FALSE(display.busy);
    EXPECT_EQ(display.logPath, logPath);
    EXPECT_EQ(outcome.reportPath, folder / "orbit.tlm");
    EXPECT_EQ(outcome.exportPath, folder / "orbit.csv");
}

TEST_F(LoadPipeline, PositionKeptWhenTheNextLogHasEnoughRecords) {
    Load(TlmFrames(12));
    display.MoveRecordScrollBar(5);
    Load(TlmFrames(8, 100));
    EXPECT_EQ(display.recordPosition, "#5 / 8");
    EXPECT_EQ(display.channelValues[24], "104.000");
}

TEST_F(LoadPipeline, PositionMovesDownToAShorterLogsLastRecord) {
    Load(TlmFrames(12));
    display.MoveRecordScrollBar(10);
    Load(TlmFrames(3, 50));
    EXPECT_EQ(display.RecordPosition(), 3);
    EXPECT_EQ(display.recordPosition, "#3 / 3");
    EXPECT_EQ(display.channelValues[24], "52.000");
}

TEST_F(LoadPipeline, LogWithoutFramesKeepsTheLabelAndEmptiesTheLists) {
    Load(KissFrame(1, "first"));
    ASSERT_EQ(display.frameCounter, "1 frames");
    const LoadOutcome outcome = Load("no frame in here");
    EXPECT_EQ(outcome.framesDecoded, 0u);
    EXPECT_EQ(display.frameCounter, "1 frames");
    EXPECT_TRUE(display.frameTexts.empty());
    EXPECT_EQ(session.CurrentLoad()->WodRows().Count(), 0u);
    EXPECT_EQ(display.recordScrollMaximum, 0);
    EXPECT_EQ(display.recordPosition, "#0 / 0");
}

TEST_F(LoadPipeline, CancelledDialogKeepsThePreviousLoad) {
    Load(TlmFrames(2) + KissFrame(1, "kept"));
    display.channelValues.fill("shown");
    const LoadOutcome outcome = session.OpenLog("");
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(display.logPath, "");
    EXPECT_EQ(display.frameTexts, std::vector<std::string>{"kept"});
    EXPECT_EQ(display.chart.size(), 2u);
    EXPECT_EQ(session.CurrentLoad()->Records().Count(), 2);
    // The channel table is written again: the first four values are emptied.
    EXPECT_EQ(display.channelValues[3], "");
    EXPECT_EQ(display.channelValues[4], "shown");
}

TEST_F(LoadPipeline, SecondLoadStartsFromEmptyListsAndZeroCounts) {
    Load(KissFrame(1, "a") + KissFrame(1, "b") + TlmFrames(3));
    const LoadOutcome outcome = Load(KissFrame(1, "c"));
    EXPECT_EQ(outcome.framesDecoded, 1u);
    EXPECT_EQ(outcome.records, 0);
    EXPECT_EQ(display.frameTexts, std::vector<std::string>{"c"});
}

TEST_F(LoadPipeline, SelectionDuringTheLoadChartsTheRecordsSoFar) {
    std::vector<std::size_t> chartSizes;
    display.onFrame = [&](std::uint64_t) {
        session.ShowChannelChart({5});
        chartSizes.push_back(display.chart.size());
    };
    Load(TlmFrames(3));
    EXPECT_EQ(chartSizes, (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(display.chartCaption, "Battery 0       [ V ] ");
}

TEST_F(LoadPipeline, EachLoadChartsChannelZeroOnce) {
    Load(TlmFrames(3));
    EXPECT_EQ(display.chartBuilds, 1);
    EXPECT_EQ(display.chartCaption, "Battery 0       [ V ] ");
    // Channel 0 is already selected now; the next load still charts it, once.
    Load(TlmFrames(5));
    EXPECT_EQ(display.chartBuilds, 2);
    EXPECT_EQ(display.chart.size(), 5u);
    // From another channel the end of a load comes back to channel 0.
    display.SelectChannel(7);
    Load(TlmFrames(2));
    EXPECT_EQ(display.chartBuilds, 4);
    EXPECT_EQ(display.selectedChannel, 0);
    EXPECT_EQ(display.chart.size(), 2u);
}

TEST_F(LoadPipeline, NoSecondLoadStartsInsideTheFirst) {
    LoadOutcome inner;
    display.onFrame = [&](std::uint64_t) {
        EXPECT_TRUE(session.Loading());
        inner = session.OpenLog(logPath);
    };
    const LoadOutcome outer = Load(KissFrame(1, "one"));
    EXPECT_FALSE(inner.ran);
    EXPECT_TRUE(outer.ran);
    EXPECT_FALSE(session.Loading());
}

TEST_F(LoadPipeline, StopRequestEndsTheLoadWithoutTheEndSteps) {
    display.onFrame = [this](std::uint64_t count) { display.stopRequested = count == 2; };
    const LoadOutcome outcome = Load(KissFrame(1, "1") + KissFrame(1, "2") + KissFrame(1, "3"));
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.framesDecoded, 2u);
    EXPECT_FALSE(display.busy);
    EXPECT_FALSE(display.recordNavigationEnabled);
    EXPECT_FALSE(test::FileExists(folder / "orbit.csv"));
    EXPECT_EQ(ReportBody(), "[TIME] 1\r\n\r\n[TIME] 2\r\n\r\n");
}

TEST_F(LoadPipeline, LongStretchWithoutFramesStillYieldsAndCanBeStopped) {
    const std::string junk(3 << 20, 'x');
    Load(junk + KissFrame(1, "late"));
    EXPECT_GE(display.readingSteps, 3u);
    EXPECT_EQ(display.frameTexts, std::vector<std::string>{"late"});

    std::filesystem::remove(folder / "orbit.csv");
    display.onReading = [this] { display.stopRequested = true; };
    const LoadOutcome outcome = Load(junk + KissFrame(1, "never read"));
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.framesDecoded, 0u);
    EXPECT_FALSE(display.busy);
    EXPECT_FALSE(test::FileExists(folder / "orbit.csv"));
}

// A live stream: each record is shown as it arrives, the newest 100 kept.
class FollowedStream : public LoadPipeline {
protected:
    LoadOutcome Follow(const std::string& bytes) {
        logPath = folder / "live.kss";
        MemoryLogSource stream(bytes);
        return session.FollowStream(logPath, stream, {});
    }
};

TEST_F(FollowedStream, ShowsTheNewestRecordAsItArrivesAndKeepsTheNewestHundred) {
    std::vector<std::string> shown;
    display.onFrame = [&](std::uint64_t) {
        shown.push_back(display.recordPosition + " " + display.channelValues[24]);
    };
    const LoadOutcome outcome = Follow(TlmFrames(130));
    ASSERT_EQ(shown.size(), 130U);
    EXPECT_EQ(shown[0], "#1 / 1 0.000");
    EXPECT_EQ(shown[1], "#2 / 2 1.000");
    EXPECT_EQ(shown[99], "#100 / 100 99.000");
    EXPECT_EQ(shown[129], "#100 / 100 129.000");
    EXPECT_EQ(session.CurrentLoad()->Records()[1].values[24], 30.0);
    EXPECT_EQ(outcome.records, 100);
    EXPECT_EQ(outcome.tlmFramesNotKept, 30U);
    EXPECT_EQ(display.selectedChannel, 0);
    EXPECT_EQ(display.chart.size(), 0U);  // charted at the start; the window refreshes it
}

TEST_F(FollowedStream, AScrolledBackRecordStaysShownUntilItIsDropped) {
    std::vector<std::string> shown;
    display.onFrame = [&](std::uint64_t count) {
        if (count == 50) {
            display.MoveRecordScrollBar(10);
        }
        shown.push_back(display.recordPosition + " " + display.channelValues[24]);
    };
    Follow(TlmFrames(130));
    EXPECT_EQ(shown[79], "#10 / 80 9.000");
    EXPECT_EQ(shown[100], "#9 / 100 9.000");
    EXPECT_EQ(shown[108], "#1 / 100 9.000");
    // Once dropped, the oldest record kept is shown.
    EXPECT_EQ(shown[109], "#1 / 100 10.000");
    EXPECT_EQ(shown[129], "#1 / 100 30.000");
}

TEST_F(FollowedStream, WritesTheSameFilesAsTheLogOpenedLater) {
    const std::string bytes = TlmFrames(130) + KissFrame(1, "T");
    Follow(bytes);
    const std::string liveReport = test::ReadFile(folder / "live.tlm");
    const std::string liveExport = test::ReadFile(folder / "live.csv");
    folder.Write("live.kss", bytes);
    session.OpenLog(logPath);
    EXPECT_EQ(test::ReadFile(folder / "live.tlm"), liveReport);
    EXPECT_EQ(test::ReadFile(folder / "live.csv"), liveExport);
    EXPECT_EQ(display.recordPosition, "#100 / 100");
    EXPECT_EQ(session.CurrentLoad()->Records()[1].values[24], 0.0);
}

}  // namespace
}  // namespace orvex

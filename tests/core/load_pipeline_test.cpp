#include <algorithm>
#include <filesystem>
#include <future>
#include <optional>

#include "live/recording.h"
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

TEST_F(LoadPipeline, LogWithoutFramesCountsNoneAndEmptiesTheLists) {
    Load(KissFrame(1, "first"));
    ASSERT_EQ(display.frameCounter, "1 frames");
    const LoadOutcome outcome = Load("no frame in here");
    EXPECT_EQ(outcome.framesDecoded, 0u);
    EXPECT_EQ(display.frameCounter, "0 frames");
    EXPECT_TRUE(display.frameTexts.empty());
    EXPECT_EQ(session.CurrentLoad()->WodRows().Count(), 0u);
    EXPECT_EQ(display.recordScrollMaximum, 0);
    EXPECT_EQ(display.recordPosition, "#0 / 0");
}

TEST_F(LoadPipeline, CancelledDialogKeepsThePreviousLoad) {
    Load(TlmFrames(2) + KissFrame(1, "kept"));
    display.channelValues.fill("shown");
    const LoadOutcome outcome = Open("");
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(display.logPath, "");
    EXPECT_EQ(display.frameTexts, std::vector<std::string>{"kept"});
    EXPECT_EQ(display.chart.size(), 2u);
    EXPECT_EQ(session.History().Count(), 2u);
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
    // The load waits at its second frame until the user has chosen.
    std::promise<void> held;
    std::promise<void> chosen;
    hook.onFrame = [&](std::uint64_t framesRead) {
        if (framesRead == 2) {
            held.set_value();
            chosen.get_future().wait();
        }
    };
    std::optional<LoadOutcome> outcome;
    logPath = folder.Write("orbit.kss", TlmFrames(3));
    session.OpenLog(logPath, [&](const LoadOutcome& ended) { outcome = ended; });
    held.get_future().wait();
    session.ShowChannelChart({5});
    EXPECT_EQ(display.chart.size(), 2u);
    EXPECT_EQ(display.chartCaption, "Battery 5       [ V ] ");
    chosen.set_value();
    ASSERT_TRUE(test::HandleEventsUntil([&] { return outcome.has_value(); }));
    EXPECT_EQ(display.chart.size(), 3u);
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

TEST_F(LoadPipeline, NoSecondLoadStartsWhileTheFirstRuns) {
    logPath = folder.Write("orbit.kss", KissFrame(1, "one"));
    std::optional<LoadOutcome> outer;
    std::optional<LoadOutcome> inner;
    session.OpenLog(logPath, [&](const LoadOutcome& ended) { outer = ended; });
    EXPECT_TRUE(session.Loading());
    session.OpenLog(logPath, [&](const LoadOutcome& ended) { inner = ended; });
    ASSERT_TRUE(inner.has_value());
    EXPECT_FALSE(inner->ran);
    ASSERT_TRUE(test::HandleEventsUntil([&] { return outer.has_value(); }));
    EXPECT_TRUE(outer->ran);
    EXPECT_FALSE(session.Loading());
}

TEST_F(LoadPipeline, StopRequestEndsTheLoadWithoutTheEndSteps) {
    hook.onFrame = [this](std::uint64_t count) {
        if (count == 2) {
            session.Stop();
        }
    };
    const LoadOutcome outcome = Load(KissFrame(1, "1") + KissFrame(1, "2") + KissFrame(1, "3"));
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.framesDecoded, 2u);
    EXPECT_FALSE(display.busy);
    EXPECT_FALSE(display.recordNavigationEnabled);
    EXPECT_FALSE(test::FileExists(folder / "orbit.csv"));
    EXPECT_EQ(ReportBody(), "[TIME] 1\r\n\r\n[TIME] 2\r\n\r\n");
}

// Stops the session's load at its second read of the log's bytes, each read
// giving at most `partSize` bytes.
class StoppingSource : public LogSource {
public:
    StoppingSource(std::string bytes, DecoderSession& session,
                   std::size_t partSize = std::string::npos)
        : bytes_(std::move(bytes)), session_(session), partSize_(partSize) {}
    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        if (++reads_ == 2) {
            session_.Stop();
        }
        return bytes_.Read(buffer, std::min(capacity, partSize_));
    }

private:
    MemoryLogSource bytes_;
    DecoderSession& session_;
    std::size_t partSize_;
    int reads_ = 0;
};

TEST_F(LoadPipeline, AStopAskedWhileALongStretchWithoutFramesIsReadEndsTheLoad) {
    const std::string junk(3 << 20, 'x');
    const LoadOutcome outcome = WaitFor([&](const DecoderSession::Done& done) {
        session.OpenLog(
            folder / "orbit.kss",
            std::make_unique<StoppingSource>(junk + KissFrame(1, "never read"), session), done);
    });
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.framesRead, 0u);
    EXPECT_FALSE(display.busy);
    EXPECT_FALSE(test::FileExists(folder / "orbit.csv"));
}

// The frame the stop fell inside of was whole in the log: the report ends
// with the frame before it, as a stop between frames would leave it.
TEST_F(LoadPipeline, AStopInsideAFrameEndsTheReportAtTheFrameBefore) {
    const std::string first = KissFrame(1, "1");
    const std::string second = KissFrame(1, "2222222222");
    // The first read ends inside the second frame's header, the second
    // inside its text.
    const std::size_t part = first.size() + 2;
    ASSERT_LT(2 * part, first.size() + second.size());
    const LoadOutcome outcome = WaitFor([&](const DecoderSession::Done& done) {
        session.OpenLog(folder / "orbit.kss",
                        std::make_unique<StoppingSource>(first + second, session, part), done);
    });
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.framesRead, 1u);
    EXPECT_FALSE(outcome.account.Any());
    EXPECT_EQ(ReportBody(), "[TIME] 1\r\n\r\n");
}

// A stream that arrives in parts: before each part after the first it waits
// for the test to let it go on, asking the load's pacing meanwhile, as a
// link's source does while its sender is silent.
class GatedStream : public LogSource {
public:
    GatedStream(std::vector<std::string> parts, LoadPacing& pacing, std::future<void> gate)
        : parts_(std::move(parts)), pacing_(pacing), gate_(std::move(gate)) {}
    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        if (next_ == parts_.size()) {
            return {};
        }
        while (next_ > 0 && gate_.valid() &&
               gate_.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
            pacing_.MayGoOn();
        }
        const std::string& part = parts_[next_++];
        const std::size_t count = std::min(capacity, part.size());
        std::copy_n(part.begin(), count, buffer);
        return {count, 0};
    }

private:
    std::vector<std::string> parts_;
    std::size_t next_ = 0;
    LoadPacing& pacing_;
    std::future<void> gate_;
};

// A live stream: each record is shown as it arrives, and every record of the
// stream stays within reach of the scroll bar.
class FollowedStream : public LoadPipeline {
protected:
    // Follows the parts of a stream recorded into live.kss; each part but
    // the first comes once `gate` is opened.
    void StartFollowing(std::vector<std::string> parts, std::future<void> gate = {}) {
        recording = std::make_shared<Recording>();
        ASSERT_EQ(recording->Create(folder / "live.kss"), 0);
        logPath = recording->Path();
        auto shared = std::make_shared<std::future<void>>(std::move(gate));
        session.FollowStream(
            recording,
            [parts = std::move(parts), shared](LoadPacing& pacing, LinkWatcher& /*watcher*/) {
                return std::make_unique<GatedStream>(parts, pacing, std::move(*shared));
            },
            [this](const LoadOutcome& ended) { outcome = ended; });
    }
    LoadOutcome Follow(const std::string& bytes) {
        StartFollowing({bytes});
        EXPECT_TRUE(test::HandleEventsUntil([&] { return outcome.has_value(); }));
        return outcome.value_or(LoadOutcome{});
    }

    std::shared_ptr<Recording> recording;
    std::optional<LoadOutcome> outcome;
};

TEST_F(FollowedStream, ShowsTheNewestRecordAndReachesEveryRecordOfTheStream) {
    const LoadOutcome followed = Follow(TlmFrames(130));
    EXPECT_EQ(display.recordPosition, "#130 / 130");
    EXPECT_EQ(display.channelValues[24], "129.000");
    EXPECT_EQ(followed.records, 130u);
    EXPECT_EQ(display.recordScrollMaximum, 130);
    EXPECT_EQ(display.selectedChannel, 0);
    EXPECT_EQ(display.chart.size(), 0U);  // charted at the start; the window refreshes it
    EXPECT_GE(display.historyGrowths, 1);
    display.MoveRecordScrollBar(1);
    EXPECT_EQ(display.channelValues[24], "0.000");
}

TEST_F(FollowedStream, AScrolledBackRecordStaysShownWhileMoreArrive) {
    std::promise<void> gate;
    StartFollowing({TlmFrames(50), TlmFrames(80, 50)}, gate.get_future());
    ASSERT_TRUE(test::HandleEventsUntil([&] { return display.recordPosition == "#50 / 50"; }));
    display.MoveRecordScrollBar(10);
    gate.set_value();
    ASSERT_TRUE(test::HandleEventsUntil([&] { return outcome.has_value(); }));
    EXPECT_EQ(display.recordPosition, "#10 / 130");
    EXPECT_EQ(display.channelValues[24], "9.000");
}

TEST_F(FollowedStream, WritesTheSameFilesAsItsRecordingOpenedLater) {
    const std::string bytes = TlmFrames(130) + KissFrame(1, "T");
    Follow(bytes);
    EXPECT_EQ(test::ReadFile(logPath), bytes);
    const std::string liveReport = test::ReadFile(folder / "live.tlm");
    const std::string liveExport = test::ReadFile(folder / "live.csv");
    Open(logPath);
    EXPECT_EQ(test::ReadFile(folder / "live.tlm"), liveReport);
    EXPECT_EQ(test::ReadFile(folder / "live.csv"), liveExport);
    EXPECT_EQ(display.recordPosition, "#130 / 130");
}

}  // namespace
}  // namespace orvex

// A KISS TCP port that sends a generated pass in random chunks, drops the
// link inside frames and refuses a try: the recorded log holds every byte
// received, and decoding it later gives the live session's files.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>

#include "kiss/kiss_reader.h"
#include "live/link_source.h"
#include "live/reconnect_backoff.h"
#include "live/tcp_link.h"
#include "tests/live/live_session.h"
#include "tests/support/generated_log.h"
#include "tests/support/kiss_server.h"

namespace orvex::test {
namespace {

using std::chrono::milliseconds;
using Kind = LinkEvent::Kind;

// Quick retries keep the test short; the schedule itself is pinned below.
const LinkRetries kQuickRetries{milliseconds(40), milliseconds(160)};

const std::string& PassLog() {
    static const std::string kLog =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "13", "--frames", "400"});
    return kLog;
}

TEST(ReconnectBackoff, WaitsOneSecondDoublingToThirtyAndStartsAgainWhenTheLinkComesUp) {
    ReconnectBackoff backoff;
    std::vector<long> waits;
    waits.reserve(7);
    for (int i = 0; i < 7; ++i) {
        waits.push_back(static_cast<long>(backoff.Next().count()));
    }
    EXPECT_EQ(waits, (std::vector<long>{1000, 2000, 4000, 8000, 16000, 30000, 30000}));
    backoff.Reset();
    EXPECT_EQ(backoff.Next().count(), 1000);
}

// Ends the session once every byte the server sent has been received.
class TcpSession : public ::testing::Test {
protected:
    DecodedFiles RunLive(std::vector<KissServer::Connection> script) {
        script.back().keepOpen = true;
        server.Serve(std::move(script));
        TcpLink link("127.0.0.1", server.Port());
        LinkSource* source = nullptr;
        WatcherStandIn watcher([&] {
            return !server.Failed() &&
                   !(server.Done() && source->BytesReceived() == server.BytesSent());
        });
        watcher.onEvent = [this](const LinkEvent& event) {
            refusals += event.kind == Kind::Refused ? 1 : 0;
        };
        LoadPacing pacing(watcher, kQuickSlice);
        LinkSource live(link, watcher, pacing, kQuickRetries);
        source = &live;
        DecodedFiles files = run.Decode(live, pacing);
        watched = watcher;
        EXPECT_FALSE(server.Failed());
        return files;
    }

    KissServer server;
    LiveSessionRun run;
    WatcherStandIn watched{nullptr};
    std::atomic<int> refusals{0};  // read by the server's thread
};

TEST_F(TcpSession, RecordsEveryByteAndAFendPerCutFrameAndDecodesAsTheRecordedLogDoes) {
    const std::string& log = PassLog();
    const std::vector<std::size_t> openings = OpeningFends(log);
    ASSERT_GT(openings.size(), 300U);
    // Two drops ten bytes into a frame; the TNC's next client gets the next
    // whole frame.
    const std::size_t cut1 = openings[90] + 10;
    const std::size_t resume1 = openings[91];
    const std::size_t cut2 = openings[200] + 10;
    const std::size_t resume2 = openings[201];
    const std::string part1 = log.substr(0, cut1);
    const std::string part2 = log.substr(resume1, cut2 - resume1);
    const std::string part3 = log.substr(resume2);

    // Before the third connection the port refuses until the client has
    // been refused once.
    const DecodedFiles live = RunLive({{RandomChunks(part1, 1)},
                                       {RandomChunks(part2, 2)},
                                       {RandomChunks(part3, 3), [this] { return refusals > 0; }}});

    const std::string fend(1, static_cast<char>(kFend));
    EXPECT_EQ(run.Recorded(), part1 + fend + part2 + fend + part3);
    EXPECT_EQ(watched.Count(Kind::Connected), 3);
    EXPECT_EQ(watched.Count(Kind::Lost), 2);
    EXPECT_GE(watched.Count(Kind::Refused), 1);
    EXPECT_EQ(watched.events.back().kind, Kind::Ended);

    const DecodedFiles later = run.DecodeRecorded();
    EXPECT_EQ(live.outcome.framesDecoded, later.outcome.framesDecoded);
    EXPECT_GT(live.outcome.framesDecoded, 300U);
    EXPECT_EQ(live.report, later.report);
    EXPECT_EQ(live.wodExport, later.wodExport);
    EXPECT_NE(live.wodExport.find("\r\n"), std::string::npos);
}

TEST_F(TcpSession, ALinkLostBetweenFramesAddsNothingAndLosesNoLaterFrame) {
    const std::string& log = PassLog();
    const std::size_t between = OpeningFends(log)[150];
    const std::string part1 = log.substr(0, between);
    const std::string part2 = log.substr(between);

    const DecodedFiles live = RunLive({{RandomChunks(part1, 4)}, {RandomChunks(part2, 5)}});

    EXPECT_EQ(run.Recorded(), log);
    EXPECT_EQ(watched.Count(Kind::Lost), 1);
    EXPECT_EQ(live.outcome.framesRead, synth::test::FramesOf(log).size());
    EXPECT_EQ(live.outcome.account.framesTooShort, 0U);
}

// Whether `whole` lies in `read` in its order, with others between.
bool LiesInOrder(const std::vector<std::string>& whole, const std::vector<std::string>& read) {
    auto next = read.begin();
    for (const std::string& frame : whole) {
        next = std::find(next, read.end(), frame);
        if (next == read.end()) {
            return false;
        }
        ++next;
    }
    return true;
}

// A TNC whose next client gets the stream from wherever it is, inside a
// frame: the frame the drop cut and the frame the stream resumed inside are
// lost, and every whole frame after them is read.
TEST_F(TcpSession, AStreamThatResumesInsideFramesLosesOnlyTheFramesCut) {
    const std::string& log = PassLog();
    const std::vector<std::size_t> openings = OpeningFends(log);
    // Where each drop cuts, and where the stream resumes.
    const std::vector<std::pair<std::size_t, std::size_t>> drops = {
        {openings[60] + 12, openings[63] + 20},
        {openings[150] + 5, openings[150] + 30},
        {openings[250] + 40, openings[252] + 7},
    };
    std::vector<KissServer::Connection> script;
    std::size_t from = 0;
    for (const auto& [cut, resume] : drops) {
        script.push_back(
            {RandomChunks(log.substr(from, cut - from), static_cast<std::uint32_t>(cut))});
        from = resume;
    }
    script.push_back({RandomChunks(log.substr(from), 7)});

    const DecodedFiles live = RunLive(script);

    const std::vector<std::string> frames = synth::test::FramesOf(log);
    std::vector<std::string> whole;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const bool lost = (i >= 60 && i <= 63) || i == 150 || (i >= 250 && i <= 252);
        if (!lost) {
            whole.push_back(frames[i]);
        }
    }
    const std::vector<std::string> read = synth::test::FramesOf(run.Recorded());
    EXPECT_TRUE(LiesInOrder(whole, read));
    // Of each drop: the frame it cut, the tail the stream resumed with, and
    // an empty frame between that tail's closing FEND and the next opening one.
    EXPECT_LE(read.size() - whole.size(), 3 * drops.size());
    EXPECT_EQ(watched.Count(Kind::Lost), 3);
    const DecodedFiles later = run.DecodeRecorded();
    EXPECT_EQ(live.outcome.framesDecoded, later.outcome.framesDecoded);
    EXPECT_EQ(live.report, later.report);
}

TEST(TcpLink, AStopEndsAStreamThatNeverFallsSilent) {
    // Pauses far shorter than a slice: the port never waits a slice for bytes.
    const std::string& log = PassLog();
    KissServer server;
    server.Serve({{RandomChunks(log, 6, 40, milliseconds(1)), {}, true}});
    TcpLink link("127.0.0.1", server.Port());
    const LinkSource* source = nullptr;
    WatcherStandIn watcher([&] { return source->BytesReceived() < 2000; });
    LoadPacing pacing(watcher, kQuickSlice);
    LinkSource live(link, watcher, pacing, kQuickRetries);
    source = &live;
    LiveSessionRun run;

    const DecodedFiles files = run.Decode(live, pacing);

    EXPECT_FALSE(server.Done());
    EXPECT_GE(run.Recorded().size(), 2000U);
    EXPECT_LT(run.Recorded().size(), log.size());
    EXPECT_EQ(run.Recorded(), log.substr(0, run.Recorded().size()));
    EXPECT_FALSE(files.outcome.stopped);
    EXPECT_EQ(watcher.events.back().kind, Kind::Ended);
}

TEST(TcpLink, ARefusedPortIsTriedAgainAfterWaitsThatDoubleUpToTheLongest) {
    const ClosedPort closed;
    TcpLink link("127.0.0.1", closed.Port());
    const WatcherStandIn* self = nullptr;
    WatcherStandIn watcher([&] { return self->Count(Kind::Refused) < 4; });
    self = &watcher;
    LoadPacing pacing(watcher, kQuickSlice);
    LinkSource live(link, watcher, pacing, kQuickRetries);
    std::array<std::uint8_t, 64> buffer{};

    const LogSource::Result result = live.Read(buffer.data(), buffer.size());

    EXPECT_EQ(result.count, 0U);
    EXPECT_EQ(result.error, 0);
    std::vector<long> waits;
    for (const LinkEvent& event : watcher.events) {
        if (event.kind == Kind::Refused) {
            waits.push_back(static_cast<long>(event.retryIn.count()));
            EXPECT_FALSE(event.reason.empty());
        }
    }
    EXPECT_EQ(waits, (std::vector<long>{40, 80, 160, 160}));
    EXPECT_EQ(watcher.Count(Kind::Connected), 0);
    EXPECT_EQ(watcher.events.back().kind, Kind::Ended);
}

}  // namespace
}  // namespace orvex::test

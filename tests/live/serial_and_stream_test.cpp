// A serial TNC, stood in for by a pseudo-terminal, and standard input, stood
// in for by a pipe.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "kiss/kiss_reader.h"
#include "live/link_source.h"
#include "live/serial_link.h"
#include "live/stream_source.h"
#include "tests/live/live_session.h"
#include "tests/support/generated_log.h"
#include "tests/support/kiss_server.h"
#include "tests/support/wait_until.h"

namespace orvex::test {
namespace {

using std::chrono::milliseconds;
using Kind = LinkEvent::Kind;

const std::string& ShortPass() {
    static const std::string kLog =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "7", "--frames", "120"});
    return kLog;
}

void WriteChunks(int fd, const std::vector<KissServer::Chunk>& chunks) {
    for (const KissServer::Chunk& chunk : chunks) {
        for (std::size_t at = 0; at < chunk.bytes.size();) {
            const ssize_t n = ::write(fd, chunk.bytes.data() + at, chunk.bytes.size() - at);
            ASSERT_GT(n, 0);
            at += static_cast<std::size_t>(n);
        }
        std::this_thread::sleep_for(chunk.pauseAfter);
    }
}

std::uintmax_t FileSize(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

// The TNC end of a pseudo-terminal; the program opens the other end as its
// serial port.
class PseudoTerminal {
public:
    PseudoTerminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            device_ = ::ptsname(master_);
        }
    }
    ~PseudoTerminal() { Unplug(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& Device() const { return device_; }
    int Fd() const { return master_; }
    // The device disappears, as a USB adapter pulled out does.
    void Unplug() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

private:
    int master_;
    std::string device_;
};

TEST(SerialLink, RecordsWhatThePortReceivedAndRetriesThePortThatDisappeared) {
    const std::string& log = ShortPass();
    const std::size_t cut = OpeningFends(log)[60] + 5;
    // Qt's serial port watches its device with a notifier, which needs one.
    int argc = 1;
    std::array<char, 6> name{"tests"};
    std::array<char*, 2> argv{name.data(), nullptr};
    const QCoreApplication application(argc, argv.data());
    PseudoTerminal terminal;
    ASSERT_FALSE(terminal.Device().empty());
    SerialLink link(terminal.Device(), 9600);
    EXPECT_EQ(link.Name(), terminal.Device() + " at 9600 baud");

    std::thread tnc;
    LiveSessionRun run;
    const WatcherStandIn* self = nullptr;
    WatcherStandIn watcher([&] {
        // The first try after the loss finds no device; the test ends there.
        return self->Count(Kind::Refused) == 0;
    });
    self = &watcher;
    watcher.onEvent = [&](const LinkEvent& event) {
        if (event.kind != Kind::Connected) {
            return;
        }
        tnc = std::thread([&] {
            WriteChunks(terminal.Fd(), RandomChunks(log.substr(0, cut), 9, 300));
            // Unplugged once the port has read every byte: the recording holds
            // each byte before the decoder reads it.
            EXPECT_TRUE(WaitUntil([&] { return FileSize(run.RecordedPath()) == cut; }));
            terminal.Unplug();
        });
    };
    LoadPacing pacing(watcher, kQuickSlice);
    LinkSource live(link, watcher, pacing, {milliseconds(40), milliseconds(160)});

    const DecodedFiles files = run.Decode(live, pacing);
    tnc.join();

    EXPECT_EQ(run.Recorded(), log.substr(0, cut) + std::string(1, static_cast<char>(kFend)));
    EXPECT_EQ(watcher.Count(Kind::Lost), 1);
    EXPECT_EQ(watcher.Count(Kind::Refused), 1);
    EXPECT_EQ(files.report, run.DecodeRecorded().report);
}

TEST(StreamSource, ReadsAPipeToItsEndAndRecordsItWhole) {
    const std::string& log = ShortPass();
    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe2(pipe.data(), O_CLOEXEC), 0);
    std::thread writer([&] {
        WriteChunks(pipe[1], RandomChunks(log, 11, 900, milliseconds(2)));
        ::close(pipe[1]);
    });
    WatcherStandIn watcher([] { return true; });
    LoadPacing pacing(watcher, kQuickSlice);
    StreamSource live(pipe[0], watcher, pacing);
    LiveSessionRun run;

    const DecodedFiles files = run.Decode(live, pacing);
    writer.join();
    ::close(pipe[0]);

    EXPECT_EQ(run.Recorded(), log);
    EXPECT_EQ(files.outcome.framesRead, synth::test::FramesOf(log).size());
    const DecodedFiles later = run.DecodeRecorded();
    EXPECT_EQ(files.report, later.report);
    EXPECT_EQ(files.wodExport, later.wodExport);
    EXPECT_EQ(watcher.events.back().kind, Kind::Ended);
}

TEST(StreamSource, AStopEndsASilentStreamWithTheReportAlreadyOnDiskAndTheExportWritten) {
    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe2(pipe.data(), O_CLOEXEC), 0);
    const std::string first = ShortPass().substr(0, OpeningFends(ShortPass())[10]);
    ASSERT_EQ(::write(pipe[1], first.data(), first.size()), static_cast<ssize_t>(first.size()));
    LiveSessionRun run;
    // Goes on until the report on disk stayed the same for a whole turn: the
    // stream has fallen silent with every block written.
    std::string reportWhileWaiting;
    WatcherStandIn watcher([&] {
        std::string report = run.RecordedPath().empty() ? "" : run.ReportOnDisk();
        const bool settled =
            report.find("[TLM]") != std::string::npos && report == reportWhileWaiting;
        reportWhileWaiting = std::move(report);
        return !settled;
    });
    LoadPacing pacing(watcher, milliseconds(5));
    StreamSource live(pipe[0], watcher, pacing);

    const DecodedFiles files = run.Decode(live, pacing);

    EXPECT_EQ(run.Recorded(), first);
    EXPECT_EQ(files.outcome.framesRead, 10U);
    // The blocks were on disk while the stream was silent, not only at its end.
    EXPECT_EQ(reportWhileWaiting, files.report);
    EXPECT_FALSE(files.outcome.stopped);
    EXPECT_TRUE(files.outcome.exportPath.has_value());
    ::close(pipe[0]);
    ::close(pipe[1]);
}

TEST(StreamSource, AStopEndsAStreamThatNeverFallsSilent) {
    const std::string& log = ShortPass();
    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe2(pipe.data(), O_CLOEXEC), 0);
    std::atomic<bool> readerDone{false};
    std::thread writer([&] {
        // Far more often than a slice, until the reader is done.
        for (std::size_t at = 0; !readerDone; at = (at + 16) % log.size()) {
            if (::write(pipe[1], log.data() + at, std::min<std::size_t>(16, log.size() - at)) < 0) {
                break;
            }
            std::this_thread::sleep_for(milliseconds(1));
        }
        ::close(pipe[1]);
    });
    int questions = 0;
    WatcherStandIn watcher([&] { return ++questions < 5; });
    LoadPacing pacing(watcher, kQuickSlice);
    StreamSource live(pipe[0], watcher, pacing);
    LiveSessionRun run;

    const DecodedFiles files = run.Decode(live, pacing);
    readerDone = true;
    writer.join();
    ::close(pipe[0]);

    EXPECT_EQ(questions, 5);
    EXPECT_FALSE(files.outcome.stopped);
    EXPECT_EQ(watcher.events.back().kind, Kind::Ended);
}

}  // namespace
}  // namespace orvex::test

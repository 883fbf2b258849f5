// orvex-live-latency [FRAMES [PER_SECOND]]: a KISS TCP port on 127.0.0.1
// sends a generated pass at a steady rate (1000 frames at 100 per second by
// default) to a live session that records it and writes the report block by
// block and the WOD export, as orvex-decode --kiss-tcp does. Prints, in
// milliseconds, the time from the last byte of each frame leaving the port
// to the session's frame handlers seeing the frame (where the window's
// display takes it): median, 90th and 99th percentile, and the longest.
#include <unistd.h>

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/steady_stream.h"
#include "live/link_source.h"
#include "live/recording.h"
#include "live/tcp_link.h"
#include "load/log_load.h"
#include "text/locale_format.h"

namespace {

using orvex::bench::Clock;
using orvex::bench::FramesOfPass;
using orvex::bench::Milliseconds;
using orvex::bench::PrintLatencies;
using orvex::bench::SteadySender;

// Notes when each frame reaches the handlers.
class SeenAt : public orvex::FrameHandler {
public:
    void OnFrameRead(const orvex::Frame& /*frame*/, orvex::FrameOutcome /*outcome*/) override {
        times.push_back(Clock::now());
    }
    std::vector<Clock::time_point> times;
};

class UntilAllSeen : public orvex::LinkWatcher, public orvex::LoadFollower {
public:
    UntilAllSeen(const SteadySender& sender, const SeenAt& seen, std::size_t total)
        : sender_(sender), seen_(seen), total_(total) {}
    void OnLinkEvent(const orvex::LinkEvent& /*event*/) override {}
    bool StopRequested() const override { return sender_.Done() && seen_.times.size() >= total_; }
    void OnSlice() override {}

private:
    const SteadySender& sender_;
    const SeenAt& seen_;
    std::size_t total_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000;
    const int perSecond = argc > 2 ? std::atoi(argv[2]) : 100;
    const std::vector<std::string> frames = FramesOfPass(count);

    char folder[] = "/tmp/orvex-live-latency-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        std::perror("orvex-live-latency: mkdtemp");
        return 1;
    }
    orvex::Recording recording;
    if (recording.CreateIn(folder, std::time(nullptr)) != 0) {
        std::perror("orvex-live-latency: recording");
        return 1;
    }
    const orvex::LocaleFormat format(QLocale(QStringLiteral("en_GB")));
    const orvex::OutputOptions options;
    const orvex::LoadContext context(format, options);
    orvex::Frame frame;
    orvex::LogLoad load(recording.Path(), context, frame, orvex::LoadMode::Stream);
    SeenAt seen;
    load.AddFrameHandler(seen);

    SteadySender sender;
    sender.Start(frames, perSecond);
    orvex::TcpLink link("127.0.0.1", sender.Port());
    UntilAllSeen watcher(sender, seen, frames.size());
    orvex::LoadPacing pacing(watcher);
    orvex::LinkSource live(link, watcher, pacing);
    orvex::RecordingSource recorded(live, recording);
    load.Run(recorded, recording.Identity(), &pacing);

    std::vector<double> latencies;
    for (std::size_t i = 0; i < std::min(frames.size(), seen.times.size()); ++i) {
        latencies.push_back(Milliseconds(seen.times[i] - sender.SentAt()[i]));
    }
    PrintLatencies(latencies, frames.size(), perSecond, seen.times.size());
    std::filesystem::remove_all(folder);
    return seen.times.size() == frames.size() ? 0 : 1;
}

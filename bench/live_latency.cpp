// orvex-live-latency [FRAMES [PER_SECOND]]: a KISS TCP port on 127.0.0.1
// sends a generated pass at a steady rate (1000 frames at 100 per second by
// default) to a live session that records it and writes the report block by
// block and the WOD export, as orvex-decode --kiss-tcp does. Prints, in
// milliseconds, the time from the last byte of each frame leaving the port
// to the session's frame handlers seeing the frame (where the window's
// display takes it): median, 90th and 99th percentile, and the longest.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "kiss/kiss_reader.h"
#include "live/link_source.h"
#include "live/live_decode.h"
#include "live/recording.h"
#include "live/tcp_link.h"
#include "load/log_load.h"
#include "text/locale_format.h"
#include "tools/synth/log_generator.h"

namespace {

using Clock = std::chrono::steady_clock;

// Each frame from its opening FEND to its closing FEND, the stray bytes
// between two frames going with the later one.
std::vector<std::string> FramesOfPass(std::uint64_t count) {
    orvex::synth::SynthOptions options;
    options.frames = count;
    orvex::synth::StringSink sink;
    orvex::synth::WriteLog(options, sink);
    const std::string& log = sink.Bytes();
    std::vector<std::string> frames;
    std::size_t start = 0;
    bool opening = true;
    for (std::size_t at = 0; at < log.size(); ++at) {
        if (static_cast<std::uint8_t>(log[at]) != orvex::kFend) {
            continue;
        }
        opening = !opening;
        if (opening) {  // this FEND closed a frame
            frames.push_back(log.substr(start, at + 1 - start));
            start = at + 1;
        }
    }
    return frames;
}

// The port: sends frame i at i / rate seconds and notes when its last byte left.
class SteadySender {
public:
    SteadySender() : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (::bind(listener_, any, length) != 0 || ::listen(listener_, 1) != 0 ||
            ::getsockname(listener_, any, &length) != 0) {
            std::perror("orvex-live-latency: listen");
            std::exit(1);
        }
        port_ = ntohs(address.sin_port);
    }
    ~SteadySender() {
        thread_.join();
        ::close(listener_);
    }
    SteadySender(const SteadySender&) = delete;
    SteadySender& operator=(const SteadySender&) = delete;

    std::uint16_t Port() const { return port_; }
    bool Done() const { return done_; }
    const std::vector<Clock::time_point>& SentAt() const { return sentAt_; }

    void Start(const std::vector<std::string>& frames, int perSecond) {
        sentAt_.resize(frames.size());
        thread_ = std::thread([this, &frames, perSecond] {
            const int client = ::accept(listener_, nullptr, nullptr);
            const auto start = Clock::now();
            for (std::size_t i = 0; i < frames.size(); ++i) {
                std::this_thread::sleep_until(
                    start + std::chrono::microseconds(1000000 * static_cast<long>(i) / perSecond));
                if (::send(client, frames[i].data(), frames[i].size(), MSG_NOSIGNAL) !=
                    static_cast<ssize_t>(frames[i].size())) {
                    break;
                }
                sentAt_[i] = Clock::now();
            }
            done_ = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            ::close(client);
        });
    }

private:
    int listener_;
    std::uint16_t port_ = 0;
    std::vector<Clock::time_point> sentAt_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// Notes when each frame reaches the handlers.
class SeenAt : public orvex::FrameHandler {
public:
    void OnFrameRead(const orvex::Frame& /*frame*/, orvex::FrameOutcome /*outcome*/) override {
        times.push_back(Clock::now());
    }
    std::vector<Clock::time_point> times;
};

class UntilAllSeen : public orvex::LinkWatcher {
public:
    UntilAllSeen(const SteadySender& sender, const SeenAt& seen, std::size_t total)
        : sender_(sender), seen_(seen), total_(total) {}
    void OnLinkEvent(const orvex::LinkEvent& /*event*/) override {}
    bool KeepWaiting() override { return !(sender_.Done() && seen_.times.size() >= total_); }

private:
    const SteadySender& sender_;
    const SeenAt& seen_;
    std::size_t total_;
};

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

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
    orvex::OutputOptions options;
    options.reportBlockByBlock = true;
    const orvex::LoadContext context(format, options);
    orvex::Frame frame;
    orvex::LogLoad load(recording.Path(), context, frame);
    SeenAt seen;
    load.AddFrameHandler(seen);

    SteadySender sender;
    sender.Start(frames, perSecond);
    orvex::TcpLink link("127.0.0.1", sender.Port());
    UntilAllSeen watcher(sender, seen, frames.size());
    orvex::LinkSource live(link, watcher);
    orvex::DecodeWhileRecording(load, live, recording, nullptr);

    std::vector<double> latencies;
    for (std::size_t i = 0; i < std::min(frames.size(), seen.times.size()); ++i) {
        latencies.push_back(Milliseconds(seen.times[i] - sender.SentAt()[i]));
    }
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double share) {
        return latencies[std::min(
            latencies.size() - 1,
            static_cast<std::size_t>(share * static_cast<double>(latencies.size())))];
    };
    std::printf(
        "%zu frames at %d/s, %zu seen: median %.3f ms, p90 %.3f ms, p99 %.3f ms, max %.3f ms\n",
        frames.size(), perSecond, seen.times.size(), at(0.5), at(0.9), at(0.99), latencies.back());
    std::filesystem::remove_all(folder);
    return seen.times.size() == frames.size() ? 0 : 1;
}

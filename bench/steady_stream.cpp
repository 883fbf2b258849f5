#include "bench/steady_stream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "kiss/kiss_reader.h"
#include "tools/synth/log_generator.h"

namespace orvex::bench {

std::vector<std::string> FramesOfPass(std::uint64_t count) {
    synth::SynthOptions options;
    options.frames = count;
    synth::StringSink sink;
    synth::WriteLog(options, sink);
    const std::string& log = sink.Bytes();
    std::vector<std::string> frames;
    std::size_t start = 0;
    bool opening = true;
    for (std::size_t at = 0; at < log.size(); ++at) {
        if (static_cast<std::uint8_t>(log[at]) != kFend) {
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

SteadySender::SteadySender() : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* any = reinterpret_cast<sockaddr*>(&address);
    if (::bind(listener_, any, length) != 0 || ::listen(listener_, 1) != 0 ||
        ::getsockname(listener_, any, &length) != 0) {
        std::perror("listen on 127.0.0.1");
        std::exit(1);
    }
    port_ = ntohs(address.sin_port);
}

SteadySender::~SteadySender() {
    if (thread_.joinable()) {
        thread_.join();
    }
    ::close(listener_);
}

void SteadySender::Start(const std::vector<std::string>& frames, int perSecond) {
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

void PrintLatencies(std::vector<double> latencies, std::size_t frames, int perSecond,
                    std::size_t seen) {
    if (latencies.empty()) {
        std::printf("%zu frames at %d/s, none seen\n", frames, perSecond);
        return;
    }
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double share) {
        return latencies[std::min(
            latencies.size() - 1,
            static_cast<std::size_t>(share * static_cast<double>(latencies.size())))];
    };
    std::printf(
        "%zu frames at %d/s, %zu seen: median %.3f ms, p90 %.3f ms, p99 %.3f ms, max %.3f ms\n",
        frames, perSecond, seen, at(0.5), at(0.9), at(0.99), latencies.back());
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace orvex::bench

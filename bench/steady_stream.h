#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace orvex::bench {

using Clock = std::chrono::steady_clock;

// A generated pass (seed 1, the realistic mix) cut into its frames, each from
// its opening FEND to its closing FEND, the stray bytes between two frames
// going with the later one.
std::vector<std::string> FramesOfPass(std::uint64_t count);

// A KISS TCP port on 127.0.0.1 that sends frame i at i / rate seconds to the
// one client it accepts and notes when its last byte left.
class SteadySender {
public:
    SteadySender();
    ~SteadySender();
    SteadySender(const SteadySender&) = delete;
    SteadySender& operator=(const SteadySender&) = delete;

    std::uint16_t Port() const { return port_; }
    bool Done() const { return done_; }
    const std::vector<Clock::time_point>& SentAt() const { return sentAt_; }

    void Start(const std::vector<std::string>& frames, int perSecond);

private:
    int listener_;
    std::uint16_t port_ = 0;
    std::vector<Clock::time_point> sentAt_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// "N frames at R/s, S seen: median, p90, p99, max" of the latencies, in ms.
void PrintLatencies(std::vector<double> latencies, std::size_t frames, int perSecond,
                    std::size_t seen);

double Milliseconds(Clock::duration duration);

}  // namespace orvex::bench

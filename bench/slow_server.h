#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

namespace orvex::bench {

// A telemetry server on 127.0.0.1 that takes every post, one at a time, and
// answers 200 only after `delay`: the slow server of the live benchmarks.
class SlowServer {
public:
    explicit SlowServer(std::chrono::milliseconds delay);
    ~SlowServer();
    SlowServer(const SlowServer&) = delete;
    SlowServer& operator=(const SlowServer&) = delete;

    std::string Url() const;
    std::uint64_t Answered() const { return answered_; }

private:
    void Serve();
    void Answer(int client);

    std::chrono::milliseconds delay_;
    int listener_;
    std::uint16_t port_ = 0;
    std::atomic<bool> quit_{false};
    std::atomic<std::uint64_t> answered_{0};
    std::thread thread_;
};

}  // namespace orvex::bench

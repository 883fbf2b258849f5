#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>

#include "load/load_progress.h"

namespace orvex {

class LogLoad;
class StopSignals;

// The share of a log of `logSize` bytes that `bytesRead` make, in percent;
// 100 at most, as a log may grow while it is read.
std::uint64_t PercentRead(std::uint64_t bytesRead, std::uint64_t logSize);

// A long load's progress on the terminal, a few times a second: the log,
// the frames so far and the share of the log read. Cleared when destroyed.
// The load stops when a stop signal arrives.
class ProgressLine : public LoadProgress {
public:
    ProgressLine(std::ostream& err, const LogLoad& load, std::uint64_t logSize, bool enabled,
                 const StopSignals& stop)
        : err_(err), load_(load), logSize_(logSize), enabled_(enabled), stop_(stop) {}
    ~ProgressLine() override;
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void AfterFrame(std::uint64_t frameCount) override;
    void WhileReading() override { Show(); }
    bool StopRequested() const override;

private:
    void Show();

    std::ostream& err_;
    const LogLoad& load_;
    std::uint64_t logSize_;
    bool enabled_;
    const StopSignals& stop_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    std::uint64_t calls_ = 0;
    std::uint64_t frames_ = 0;
    bool shown_ = false;
};

}  // namespace orvex

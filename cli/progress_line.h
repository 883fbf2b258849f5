#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>

#include "load/load_progress.h"

namespace orvex {

class LogLoad;

// A long load's progress on the terminal, a few times a second: the log,
// the frames so far and the share of the log read. Cleared when destroyed.
class ProgressLine : public LoadProgress {
public:
    ProgressLine(std::ostream& err, const LogLoad& load, std::uint64_t logSize, bool enabled)
        : err_(err), load_(load), logSize_(logSize), enabled_(enabled) {}
    ~ProgressLine() override;
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void AfterFrame(std::uint64_t frameCount) override;
    void WhileReading() override { Show(); }
    bool StopRequested() const override { return false; }

private:
    void Show();

    std::ostream& err_;
    const LogLoad& load_;
    std::uint64_t logSize_;
    bool enabled_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    std::uint64_t calls_ = 0;
    std::uint64_t frames_ = 0;
    bool shown_ = false;
};

}  // namespace orvex

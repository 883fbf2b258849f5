#pragma once

#include <cstdint>
#include <iosfwd>

#include "kiss/load_pacing.h"

namespace orvex {

class FrameSharer;
class LogLoad;
class StopSignals;

// The share of a log of `logSize` bytes that `bytesRead` make, in percent;
// 100 at most, as a log may grow while it is read.
std::uint64_t PercentRead(std::uint64_t bytesRead, std::uint64_t logSize);

// The command line's follower of a load, a log's or a stream's: a stop
// signal ends the load, and when `enabled`, the log, the frames so far and
// the share of the log read are shown on the terminal at every turn of the
// load's pacing, and what the run's uploader says is told as it happens.
// Cleared when destroyed.
class ProgressLine : public LoadFollower {
public:
    ProgressLine(std::ostream& err, const LogLoad& load, std::uint64_t logSize, bool enabled,
                 const StopSignals& stop, FrameSharer* sharer)
        : err_(err),
          load_(load),
          logSize_(logSize),
          enabled_(enabled),
          stop_(stop),
          sharer_(sharer) {}
    ~ProgressLine() override;
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    bool StopRequested() const override;
    void OnSlice() override;

private:
    void Clear();

    std::ostream& err_;
    const LogLoad& load_;
    std::uint64_t logSize_;
    bool enabled_;
    const StopSignals& stop_;
    FrameSharer* sharer_;
    bool shown_ = false;
};

}  // namespace orvex

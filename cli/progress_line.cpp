#include "cli/progress_line.h"

#include <ostream>

#include "load/log_load.h"

namespace orvex {

ProgressLine::~ProgressLine() {
    if (shown_) {
        err_ << "\r\033[K";
        err_.flush();
    }
}

void ProgressLine::AfterFrame(std::uint64_t frameCount) {
    frames_ = frameCount;
    // The clock is read only every few thousand frames.
    if (++calls_ % 4096 == 0) {
        Show();
    }
}

void ProgressLine::Show() {
    if (!enabled_) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(250)) {
        return;
    }
    last_ = now;
    shown_ = true;
    err_ << '\r' << load_.Path() << ": " << frames_ << " frames";
    if (logSize_ > 0) {
        err_ << ", " << load_.BytesRead() * 100 / logSize_ << "%";
    }
    err_.flush();
}

}  // namespace orvex

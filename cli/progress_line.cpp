#include "cli/progress_line.h"

#include <algorithm>
#include <ostream>

#include "cli/share_run.h"
#include "cli/stop_signals.h"
#include "load/log_load.h"
#include "share/frame_sharer.h"

namespace orvex {

std::uint64_t PercentRead(std::uint64_t bytesRead, std::uint64_t logSize) {
    return std::min<std::uint64_t>(bytesRead, logSize) * 100 / logSize;
}

ProgressLine::~ProgressLine() {
    Clear();
}

void ProgressLine::Clear() {
    if (shown_) {
        err_ << "\r\033[K";
        err_.flush();
        shown_ = false;
    }
}

bool ProgressLine::StopRequested() const {
    return stop_.Received() != 0;
}

void ProgressLine::OnSlice() {
    // A server that stops taking frames is said while the pass goes on, not
    // only at the end, so the operator can still mend it.
    if (sharer_ != nullptr && sharer_->HasNews()) {
        Clear();
        TellShareNews(*sharer_, err_);
    }
    if (!enabled_) {
        return;
    }
    shown_ = true;
    err_ << '\r' << load_.ShownPath() << ": " << load_.FramesDecoded() << " frames";
    if (logSize_ > 0) {
        err_ << ", " << PercentRead(load_.BytesRead(), logSize_) << "%";
    }
    err_.flush();
}

}  // namespace orvex

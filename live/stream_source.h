#pragma once

#include "kiss/load_pacing.h"
#include "kiss/log_source.h"
#include "live/link_watcher.h"

namespace orvex {

// A stream that is read once to its end, such as standard input fed by a
// TNC program's pipe. Asks the pacing at every pass and waits at most until
// its next turn, so that a stop ends the stream whether the sender is silent
// or busy; the watcher is told when it ends.
class StreamSource : public LogSource {
public:
    StreamSource(int fd, LinkWatcher& watcher, LoadPacing& pacing)
        : fd_(fd), watcher_(watcher), pacing_(pacing) {}

    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

private:
    Result End();

    int fd_;
    LinkWatcher& watcher_;
    LoadPacing& pacing_;
    bool ended_ = false;
};

}  // namespace orvex

#pragma once

#include <chrono>

#include "kiss/log_source.h"
#include "live/link_watcher.h"

namespace orvex {

// A stream that is read once to its end, such as standard input fed by a
// TNC program's pipe. Waits in short slices between which the watcher is
// asked whether to go on (once a slice, whether bytes flow or not), so that a
// stop ends the stream whether the sender is silent or busy.
class StreamSource : public LogSource {
public:
    StreamSource(int fd, LinkWatcher& watcher,
                 std::chrono::milliseconds slice = std::chrono::milliseconds(20))
        : fd_(fd), watcher_(watcher), slice_(slice), pacing_(watcher, slice) {}

    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

private:
    Result End();

    int fd_;
    LinkWatcher& watcher_;
    std::chrono::milliseconds slice_;
    WatcherPacing pacing_;
    bool ended_ = false;
};

}  // namespace orvex

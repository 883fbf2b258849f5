#pragma once

#include <chrono>
#include <cstdint>

#include "kiss/log_source.h"
#include "live/link_watcher.h"
#include "live/reconnect_backoff.h"

namespace orvex {

class Link;

// The bytes of a link that is kept up until the watcher ends the stream: a
// refused or lost link is tried again after a wait that grows from one
// second to thirty.
//
// A loss inside a frame is followed by one FEND, which ends the cut frame
// there, live and in the log recorded from the stream alike. A loss between
// two frames adds nothing: the reader would take a FEND there for the start
// of a frame, pair the next frame's opening FEND with it, and read every
// later frame from its closing FEND on, losing them all.
//
// Reads block, waiting in short slices; the watcher is asked whether to go
// on once a slice, whether bytes flow or not: a plain pull that the reader drives, the same for the
// command line and the window, where the watcher keeps the events flowing.
class LinkSource : public LogSource {
public:
    struct Timing {
        ReconnectBackoff::Duration firstRetry = ReconnectBackoff::kFirst;
        ReconnectBackoff::Duration longestRetry = ReconnectBackoff::kLongest;
        std::chrono::milliseconds slice{20};  // the longest wait between two questions
    };

    LinkSource(Link& link, LinkWatcher& watcher) : LinkSource(link, watcher, Timing{}) {}
    LinkSource(Link& link, LinkWatcher& watcher, Timing timing);

    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

    std::uint64_t BytesReceived() const { return received_; }

private:
    // False when the watcher ended the stream before the link came up.
    bool Connect();
    // Waits `wait` in slices; false when the watcher ended the stream.
    bool Wait(std::chrono::milliseconds wait);
    // Closes the lost link; true with the FEND that ends a cut frame.
    bool Lose(std::uint8_t* buffer);
    Result End();
    void Deliver(const std::uint8_t* bytes, std::size_t count);

    Link& link_;
    LinkWatcher& watcher_;
    std::chrono::milliseconds slice_;
    ReconnectBackoff backoff_;
    WatcherPacing pacing_;
    std::chrono::milliseconds nextWait_{0};
    bool up_ = false;
    bool ended_ = false;
    bool insideFrame_ = false;  // an odd count of FENDs delivered
    std::uint64_t received_ = 0;
};

}  // namespace orvex

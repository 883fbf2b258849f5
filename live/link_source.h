#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "kiss/load_pacing.h"
#include "kiss/log_source.h"
#include "live/link_watcher.h"
#include "live/reconnect_backoff.h"

namespace orvex {

class Link;

// How long a refused or lost link waits before its next try.
struct LinkRetries {
    ReconnectBackoff::Duration first = ReconnectBackoff::kFirst;
    ReconnectBackoff::Duration longest = ReconnectBackoff::kLongest;
};

// The bytes of a link that is kept up until the load's follower ends the
// stream: a refused or lost link is tried again after a wait that grows from
// one second to thirty; the watcher is told of each change.
//
// A loss inside a frame is followed by one FEND, which ends the cut frame
// there, live and in the log recorded from the stream alike. A loss between
// two frames adds nothing: the reader would take a FEND there for the start
// of a frame, pair the next frame's opening FEND with it, and read every
// later frame from its closing FEND on, losing them all.
//
// Reads block, waiting at most until the pacing's next turn; the pacing is
// asked at every pass, whether bytes flow or not: a plain pull that the
// reader drives, the same for the command line and the window.
class LinkSource : public LogSource {
public:
    LinkSource(Link& link, LinkWatcher& watcher, LoadPacing& pacing, LinkRetries retries = {});
    // The same, owning the link: the window makes it on the thread that
    // reads it, where its socket must live.
    LinkSource(std::unique_ptr<Link> link, LinkWatcher& watcher, LoadPacing& pacing,
               LinkRetries retries = {});
    ~LinkSource() override;
    LinkSource(const LinkSource&) = delete;
    LinkSource& operator=(const LinkSource&) = delete;

    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

    std::uint64_t BytesReceived() const { return received_; }

private:
    // False when the follower ended the stream before the link came up.
    bool Connect();
    // Waits `wait`, asking the pacing at each turn; false when the follower
    // ended the stream.
    bool Wait(std::chrono::milliseconds wait);
    // Closes the lost link; true with the FEND that ends a cut frame.
    bool Lose(std::uint8_t* buffer);
    Result End();
    void Deliver(const std::uint8_t* bytes, std::size_t count);

    std::unique_ptr<Link> owned_;
    Link& link_;
    LinkWatcher& watcher_;
    LoadPacing& pacing_;
    ReconnectBackoff backoff_;
    std::chrono::milliseconds nextWait_{0};
    bool up_ = false;
    bool ended_ = false;
    bool insideFrame_ = false;  // an odd count of FENDs delivered
    std::uint64_t received_ = 0;
};

}  // namespace orvex

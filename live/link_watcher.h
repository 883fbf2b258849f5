#pragma once

#include <chrono>
#include <string>
#include <utility>

namespace orvex {

// What happened to a live link, for the user.
struct LinkEvent {
    enum class Kind {
        Connected,  // the link is up; bytes may come
        Refused,    // a try to open the link failed
        Lost,       // the link went down
        Ended,      // the stream is over: the sender closed it or the watcher ended it
    };
    Kind kind = Kind::Connected;
    std::string reason;                    // why it was refused or lost
    std::chrono::milliseconds retryIn{0};  // the wait before the next try
};

// Who follows a live stream: told of every change of the link, and asked,
// every few tens of milliseconds whether bytes arrive or not, whether to
// keep waiting. The window answers its events there; the command line
// answers a stop signal.
class LinkWatcher {
public:
    virtual ~LinkWatcher() = default;
    virtual void OnLinkEvent(const LinkEvent& event) = 0;
    // False ends the stream, as if the sender had closed it.
    virtual bool KeepWaiting() = 0;
};

// Asks a watcher whether to go on once a slice has passed since it was last
// asked. A stream that never falls silent must still end when the user or a
// signal asks: a question asked only while waiting for bytes would never be
// asked under a steady stream.
class WatcherPacing {
public:
    using Clock = std::chrono::steady_clock;

    WatcherPacing(LinkWatcher& watcher, std::chrono::milliseconds slice)
        : watcher_(watcher), slice_(slice) {}

    // False once the watcher ended the stream.
    // The first call starts the clock.
    bool KeepGoing() {
        const Clock::time_point now = Clock::now();
        if (!started_) {
            started_ = true;
            lastAsked_ = now;
        }
        if (now - lastAsked_ < slice_) {
            return true;
        }
        lastAsked_ = now;
        return watcher_.KeepWaiting();
    }

private:
    LinkWatcher& watcher_;
    std::chrono::milliseconds slice_;
    Clock::time_point lastAsked_;
    bool started_ = false;
};

}  // namespace orvex

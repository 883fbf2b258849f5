#pragma once

#include <chrono>
#include <string>

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
// at least every few tens of milliseconds while no byte arrives, whether to
// keep waiting. The window answers its events there; the command line
// answers a stop signal.
class LinkWatcher {
public:
    virtual ~LinkWatcher() = default;
    virtual void OnLinkEvent(const LinkEvent& event) = 0;
    // False ends the stream, as if the sender had closed it.
    virtual bool KeepWaiting() = 0;
};

}  // namespace orvex

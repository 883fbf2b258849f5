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

// Who follows a live stream's link: told of every change, on the thread that
// reads the stream. Whether the stream goes on is the load's question, asked
// of its pacing (LoadPacing) by the stream's source.
class LinkWatcher {
public:
    virtual ~LinkWatcher() = default;
    virtual void OnLinkEvent(const LinkEvent& event) = 0;
};

}  // namespace orvex

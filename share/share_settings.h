#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "share/station.h"

namespace orvex {

// Where received frames are shared, by whom, and where they wait meanwhile.
struct ShareSettings {
    std::vector<std::string> servers;  // their URLs, keys included
    Station station;
    std::string queuePath;  // the queue's SQLite file
};

// How long the sharer waits: a server that did not take a frame is tried
// again after the first wait, doubled at every failure up to the longest;
// a request without an answer fails after `answerTimeout`; a server another
// program sends to is asked for again after `lockRetry`.
struct ShareTiming {
    std::chrono::milliseconds firstRetry{1000};
    std::chrono::milliseconds longestRetry{5 * 60 * 1000};
    std::chrono::milliseconds answerTimeout{30 * 1000};
    std::chrono::milliseconds lockRetry{5 * 1000};
};

// How each server fares, for the status line and the summary.
struct ServerStatus {
    std::string server;          // as shown: no key or token
    std::uint64_t taken = 0;     // frames it took in this program run
    std::uint64_t waiting = 0;   // frames the queue holds for it
    std::uint64_t setAside = 0;  // frames it refused in this program run
    std::string failing;         // its last answer while it does not take frames
    bool sentByOther = false;    // another program sends its frames
};

struct ShareStatus {
    std::vector<ServerStatus> servers;
    // Nothing can be sent now: every frame handed in is queued, and each
    // server has none waiting, waits to be tried again, or is another
    // program's to send.
    bool settled = true;
    std::string problem;  // the queue failed: no more frames are shared
};

}  // namespace orvex

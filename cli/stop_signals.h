#pragma once

#include <csignal>
#include <string_view>

namespace orvex {

// While it lives, SIGINT and SIGTERM ask the run to stop instead of ending
// the program: the load ends at the next frame with its files in order. A
// second signal ends the program at once, as a user pressing Ctrl+C again
// expects. The earlier handlers come back with the object's end.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal received, or 0.
    int Received() const;
    // The exit code of a run the signal stopped: 128 and its number.
    int ExitCode() const { return 128 + Received(); }
    // "SIGINT", "SIGTERM"
    std::string_view ReceivedName() const;

private:
    struct sigaction earlierInterrupt_ {};
    struct sigaction earlierTerminate_ {};
};

}  // namespace orvex

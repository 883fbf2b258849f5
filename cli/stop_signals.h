#pragma once

#include <csignal>
#include <iterator>
#include <string_view>

namespace orvex {

// While it lives, SIGINT, SIGTERM and SIGHUP (the terminal closed) ask the
// run to stop instead of ending the program: the load ends at the next
// frame with its files in order. Signals after the first are taken and
// dropped, so that nothing cuts the finishing steps short: a second Ctrl+C,
// or GNU timeout's signal to the process and then to its group, would
// otherwise kill the run with its files half done. The earlier handlers come
// back with the object's end.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first signal received, or 0.
    int Received() const;
    // The exit code of a run the signal stopped: 128 and its number.
    int ExitCode() const { return 128 + Received(); }
    // "SIGINT", "SIGTERM", "SIGHUP"
    std::string_view ReceivedName() const;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction earlier_[std::size(kSignals)]{};
};

}  // namespace orvex

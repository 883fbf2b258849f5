#include "cli/stop_signals.h"

#include <atomic>
#include <csignal>

namespace orvex {
namespace {

// The one global state of the program, as a signal reaches a process, not an
// object. The handler runs on whichever thread the signal lands on (the
// archive's or the uploader's as well as the one that asks), so the flag is
// an atomic, which a handler may touch only while it is lock-free.
std::atomic<int> receivedSignal = 0;
static_assert(std::atomic<int>::is_always_lock_free);

// Only the first signal stays, whichever thread each one reaches.
void OnStopSignal(int signal) {
    int none = 0;
    receivedSignal.compare_exchange_strong(none, signal);
}

}  // namespace

StopSignals::StopSignals() {
    receivedSignal = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    for (std::size_t index = 0; index < std::size(kSignals); ++index) {
        sigaction(kSignals[index], &action, &earlier_[index]);
    }
}

StopSignals::~StopSignals() {
    for (std::size_t index = 0; index < std::size(kSignals); ++index) {
        sigaction(kSignals[index], &earlier_[index], nullptr);
    }
}

int StopSignals::Received() const {
    return receivedSignal;
}

std::string_view StopSignals::ReceivedName() const {
    switch (Received()) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        case SIGHUP:
            return "SIGHUP";
        default:
            return "";
    }
}

}  // namespace orvex

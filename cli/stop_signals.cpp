#include "cli/stop_signals.h"

#include <csignal>

namespace orvex {
namespace {

// A handler may only set a flag of this type; it is the one global state of
// the program, as a signal reaches a process, not an object.
volatile std::sig_atomic_t receivedSignal = 0;

// The other stop signals are blocked while it runs, so the first one stays.
void OnStopSignal(int signal) {
    if (receivedSignal == 0) {
        receivedSignal = signal;
    }
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
    switch (receivedSignal) {
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

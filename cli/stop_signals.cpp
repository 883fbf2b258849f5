#include "cli/stop_signals.h"

#include <csignal>

namespace orvex {
namespace {

// A handler may only set a flag of this type; it is the one global state of
// the program, as a signal reaches a process, not an object.
volatile std::sig_atomic_t receivedSignal = 0;

void OnStopSignal(int signal) {
    receivedSignal = signal;
}

}  // namespace

StopSignals::StopSignals() {
    receivedSignal = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &earlierInterrupt_);
    sigaction(SIGTERM, &action, &earlierTerminate_);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &earlierInterrupt_, nullptr);
    sigaction(SIGTERM, &earlierTerminate_, nullptr);
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
        default:
            return "";
    }
}

}  // namespace orvex

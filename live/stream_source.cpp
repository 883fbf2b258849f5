#include "live/stream_source.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace orvex {

LogSource::Result StreamSource::Read(std::uint8_t* buffer, std::size_t capacity) {
    while (!ended_) {
        if (!pacing_.MayGoOn()) {
            return End();
        }
        pollfd ready{fd_, POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(pacing_.UntilNextTurn().count()));
        if (polled == 0 || (polled < 0 && errno == EINTR)) {
            continue;
        }
        const ssize_t count = ::read(fd_, buffer, capacity);
        if (count > 0) {
            return {static_cast<std::size_t>(count), 0};
        }
        if (count == 0) {
            return End();
        }
        if (errno != EINTR && errno != EAGAIN) {
            const int error = errno;
            End();
            return {0, error};
        }
    }
    return {};
}

LogSource::Result StreamSource::End() {
    if (!ended_) {
        ended_ = true;
        watcher_.OnLinkEvent({LinkEvent::Kind::Ended, {}, {}});
    }
    return {};
}

}  // namespace orvex

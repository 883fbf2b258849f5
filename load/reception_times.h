#pragma once

#include <cstdint>
#include <optional>

#include "kiss/frame.h"
#include "kiss/log_source.h"

namespace orvex {

// Notes the system clock's time as each block of a source arrives. The
// reader reads no further than a frame's closing FEND, so when it hands a
// frame on, the last block holds the frame's last byte.
class ArrivalClock : public LogSource {
public:
    explicit ArrivalClock(LogSource& inner) : inner_(inner) {}

    Result Read(std::uint8_t* buffer, std::size_t capacity) override;

    // Milliseconds since 1970 UTC.
    std::int64_t LastArrivalMs() const { return lastArrivalMs_; }

private:
    LogSource& inner_;
    std::int64_t lastArrivalMs_ = 0;
};

// Gives each frame its reception time where the log or the stream tells it:
// a timestamp frame's for the frame after it, and in a live stream, for a
// frame without one, the time its last byte arrived.
class ReceptionTimes {
public:
    // `live` is null for a log read from disk, whose arrival says nothing.
    explicit ReceptionTimes(const ArrivalClock* live) : live_(live) {}

    // Sets the frame just read's `receivedMs`.
    void Stamp(Frame& frame);

private:
    const ArrivalClock* live_;
    std::optional<std::int64_t> next_;  // carried by the frame before
};

}  // namespace orvex

#include "load/reception_times.h"

#include <chrono>

#include "frames/reception_time.h"

namespace orvex {

LogSource::Result ArrivalClock::Read(std::uint8_t* buffer, std::size_t capacity) {
    const Result result = inner_.Read(buffer, capacity);
    if (result.count > 0) {
        lastArrivalMs_ = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    }
    return result;
}

void ReceptionTimes::Stamp(Frame& frame) {
    frame.receivedMs = next_;
    if (!frame.receivedMs && live_ != nullptr) {
        frame.receivedMs = live_->LastArrivalMs();
    }
    next_ = CarriedReceptionTime(frame);
}

}  // namespace orvex

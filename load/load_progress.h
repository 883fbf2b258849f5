#pragma once

#include <cstdint>

namespace orvex {

// Who follows a load while it runs (the window, to stay responsive and count
// frames; the command line, to print its progress) and may ask it to stop.
class LoadProgress {
public:
    virtual ~LoadProgress() = default;
    // After every frame the reader delivers, with the count of decoded frames.
    virtual void AfterFrame(std::uint64_t frameCount) = 0;
    // Between blocks of the log, where a long stretch may hold no frame.
    virtual void WhileReading() = 0;
    // Read after every frame and block: the load ends at the next boundary.
    virtual bool StopRequested() const = 0;
};

}  // namespace orvex

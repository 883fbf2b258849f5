#pragma once

#include <cstdint>

#include "frames/frame_handler.h"

namespace orvex {

class FrameSharer;

// Hands the sharer every frame of a load that came from the satellite with
// its reception time: each data frame (KISS command 0) the TNC delivered
// whole. A frame cut at 512 bytes or by the end of the data lost bytes and
// is not shared; a frame without a reception time cannot be, and is counted.
class ShareFeed : public FrameHandler {
public:
    explicit ShareFeed(FrameSharer& sharer) : sharer_(sharer) {}

    void OnFrameRead(const Frame& frame, FrameOutcome outcome) override;

    std::uint64_t FramesShared() const { return shared_; }
    std::uint64_t FramesWithoutTime() const { return withoutTime_; }

private:
    FrameSharer& sharer_;
    std::uint64_t shared_ = 0;
    std::uint64_t withoutTime_ = 0;
};

}  // namespace orvex

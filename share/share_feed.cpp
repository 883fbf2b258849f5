#include "share/share_feed.h"

#include "frames/frame_layout.h"
#include "share/frame_sharer.h"

namespace orvex {

void ShareFeed::OnFrameRead(const Frame& frame, FrameOutcome /*outcome*/) {
    const bool fromSatellite = frame.length > layout::kCommand + 1 &&
                               frame[layout::kCommand] == 0 && !frame.cut && !frame.unfinished;
    if (!fromSatellite) {
        return;
    }
    if (!frame.receivedMs) {
        ++withoutTime_;
        return;
    }
    sharer_.Share(frame.Delivered(layout::kCommand + 1), *frame.receivedMs);
    ++shared_;
}

}  // namespace orvex

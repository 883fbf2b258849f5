#include "archive/pending_block.h"

#include "kiss/frame.h"

namespace orvex {

void PendingBlock::AddFrame(const Frame& frame, const FrameHeard& heard) {
    entries_.push_back({bytes_.size(), frame.length, heard});
    bytes_.append(reinterpret_cast<const char*>(frame.bytes.data()), frame.length);
}

}  // namespace orvex

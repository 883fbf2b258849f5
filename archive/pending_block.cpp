#include "archive/pending_block.h"

#include "kiss/frame.h"

namespace orvex {

void PendingBlock::AddFrame(const Frame& frame, std::optional<std::uint32_t> time, bool timeExact) {
    entries_.push_back({bytes_.size(), frame.length, time, timeExact, frame.logOffset});
    bytes_.append(reinterpret_cast<const char*>(frame.bytes.data()), frame.length);
}

}  // namespace orvex

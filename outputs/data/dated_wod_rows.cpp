#include "outputs/data/dated_wod_rows.h"

namespace orvex {

// The time in the top 32 bits, then the ten raw bytes, first slot first: the
// keys' order is the order of time.
void DatedWodRows::Add(const WodRecord& sample) {
    SortedKeyList::Key key;
    key.high = std::uint64_t{sample.time} << 32;
    for (std::size_t slot = 0; slot < 4; ++slot) {
        key.high |= std::uint64_t{sample.raw[slot]} << (8 * (3 - slot));
    }
    for (std::size_t slot = 4; slot < kWodSlotCount; ++slot) {
        key.low |= std::uint64_t{sample.raw[slot]} << (8 * (9 - slot));
    }
    keys_.Add(key);
}

void DatedWodRows::ForEachDistinct(const std::function<void(const WodRecord&)>& visit) {
    keys_.RemoveDuplicates();
    WodRecord sample;
    keys_.ForEach([&](const SortedKeyList::Key& key) {
        sample.time = static_cast<std::uint32_t>(key.high >> 32);
        for (std::size_t slot = 0; slot < 4; ++slot) {
            sample.raw[slot] = static_cast<std::uint8_t>(key.high >> (8 * (3 - slot)));
        }
        for (std::size_t slot = 4; slot < kWodSlotCount; ++slot) {
            sample.raw[slot] = static_cast<std::uint8_t>(key.low >> (8 * (9 - slot)));
        }
        visit(sample);
    });
}

}  // namespace orvex

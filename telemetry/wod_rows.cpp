#include "telemetry/wod_rows.h"

#include "text/locale_format.h"

namespace orvex {

WodRowList::WodRowList(const WodRowTexts& texts, std::size_t keysInMemory)
    : texts_(texts), keys_(keysInMemory) {}

WodRowList::Key WodRowList::KeyOf(const WodSample& sample) const {
    Key key;
    key.high = std::uint64_t{sample.secondOfDay} << 40;
    for (int slot = 0; slot < 5; ++slot) {
        key.high |= std::uint64_t{texts_.Rank(slot, sample.raw[slot])} << (8 * (4 - slot));
    }
    for (int slot = 5; slot < kWodSlotCount; ++slot) {
        key.low |= std::uint64_t{texts_.Rank(slot, sample.raw[slot])} << (8 * (9 - slot));
    }
    return key;
}

void WodRowList::Add(const WodSample& sample) {
    keys_.Add(KeyOf(sample));
}

void WodRowList::AppendRowText(std::string& out, const Key& key) const {
    const auto secondOfDay = static_cast<int>(key.high >> 40);
    DateTime time;
    time.hour = secondOfDay / 3600;
    time.minute = secondOfDay / 60 % 60;
    time.second = secondOfDay % 60;
    texts_.Format().AppendTimeOfDay(out, time);
    out.push_back(';');
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        const std::uint64_t word = slot < 5 ? key.high : key.low;
        const int shift = 8 * (slot < 5 ? 4 - slot : 9 - slot);
        out += texts_.TextOfRank(slot, static_cast<std::uint8_t>(word >> shift));
    }
}

void WodRowList::ForEachRow(const std::function<void(std::string_view row)>& visit) {
    std::string row;
    keys_.ForEach([&](const Key& key) {
        row.clear();
        AppendRowText(row, key);
        visit(row);
    });
}

std::vector<std::string> WodRowList::Items() {
    std::vector<std::string> items;
    ForEachRow([&items](std::string_view row) { items.emplace_back(row); });
    return items;
}

}  // namespace orvex

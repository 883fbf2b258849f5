#include "telemetry/wod_rows.h"

#include <algorithm>

#include "telemetry/calibration.h"
#include "text/locale_format.h"

namespace orvex {

WodRowList::WodRowList(const LocaleFormat& format, std::size_t keysInMemory)
    : format_(format), keys_(keysInMemory) {
    const auto& values = CalibrationTable();
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        const int channel = ChannelIndexOfNumber(WodChannels()[slot + 1]);
        std::array<std::string, 256> fields;
        for (int raw = 0; raw < 256; ++raw) {
            format.AppendFixed(fields[raw], values[channel][raw], 2);
            fields[raw] += ';';
        }
        std::vector<std::string> distinct(fields.begin(), fields.end());
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        for (int raw = 0; raw < 256; ++raw) {
            const auto at = std::lower_bound(distinct.begin(), distinct.end(), fields[raw]);
            rank_[slot][raw] = static_cast<std::uint8_t>(at - distinct.begin());
        }
        for (std::size_t rank = 0; rank < distinct.size(); ++rank) {
            textOfRank_[slot][rank] = distinct[rank];
        }
    }
}

WodRowList::Key WodRowList::KeyOf(const WodSample& sample) const {
    Key key;
    key.high = std::uint64_t{sample.secondOfDay} << 40;
    for (int slot = 0; slot < 5; ++slot) {
        key.high |= std::uint64_t{rank_[slot][sample.raw[slot]]} << (8 * (4 - slot));
    }
    for (int slot = 5; slot < kWodSlotCount; ++slot) {
        key.low |= std::uint64_t{rank_[slot][sample.raw[slot]]} << (8 * (9 - slot));
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
    format_.AppendTimeOfDay(out, time);
    out.push_back(';');
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        const std::uint64_t word = slot < 5 ? key.high : key.low;
        const int shift = 8 * (slot < 5 ? 4 - slot : 9 - slot);
        out += textOfRank_[slot][(word >> shift) & 0xFF];
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

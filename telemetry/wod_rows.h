#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "telemetry/channel_table.h"
#include "telemetry/sorted_keys.h"
#include "telemetry/wod_row_texts.h"

namespace orvex {

// One WOD sample as a row of the list: its time of day and its ten raw bytes.
struct WodSample {
    std::uint32_t secondOfDay = 0;
    std::array<std::uint8_t, kWodSlotCount> raw{};
};

// The WOD rows of a load, each "hh:mm:ss;" and the ten slots' calibrated
// values in the "0.00" form, each followed by ';', kept in ascending order of
// their text (ordinal byte order) for the WOD export.
//
// A row's text is a function of its time of day and raw bytes, and comparing
// two row texts byte by byte gives the order of (time of day, rank of the
// first slot's text, ...): the time field has a fixed width, and each field
// ends in ';', which sorts after every character of a number. So a row is
// kept as a 16-byte key of those ranks, sorted and de-duplicated as keys, and
// turned into text only when written; SortedKeyList keeps memory flat on logs
// of any length.
class WodRowList {
public:
    explicit WodRowList(const WodRowTexts& texts, std::size_t keysInMemory = 1 << 20);

    void Add(const WodSample& sample);
    std::uint64_t Count() const { return keys_.Count(); }

    // Leaves each distinct row once; the list stays in ascending order.
    void RemoveDuplicateItems() { keys_.RemoveDuplicates(); }

    // Every row in list order, as text.
    void ForEachRow(const std::function<void(std::string_view row)>& visit);
    std::vector<std::string> Items();

private:
    using Key = SortedKeyList::Key;

    Key KeyOf(const WodSample& sample) const;
    void AppendRowText(std::string& out, const Key& key) const;

    const WodRowTexts& texts_;
    SortedKeyList keys_;
};

}  // namespace orvex

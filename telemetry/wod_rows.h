#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "telemetry/channel_table.h"

namespace orvex {

class LocaleFormat;

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
// turned into text only when written. Keys beyond a bound are sorted into
// runs in temporary files, so memory stays flat on logs of any length.
class WodRowList {
public:
    explicit WodRowList(const LocaleFormat& format, std::size_t keysInMemory = 1 << 20);
    ~WodRowList();
    WodRowList(const WodRowList&) = delete;
    WodRowList& operator=(const WodRowList&) = delete;

    void Add(const WodSample& sample);
    std::uint64_t Count() const { return count_; }

    // Leaves each distinct row once; the list stays in ascending order.
    void RemoveDuplicateItems();

    // Every row in list order, as text.
    void ForEachRow(const std::function<void(std::string_view row)>& visit);
    std::vector<std::string> Items();

private:
    struct Key {
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        bool operator==(const Key&) const = default;
        bool operator<(const Key& other) const {
            return high != other.high ? high < other.high : low < other.low;
        }
    };
    struct Run;

    Key KeyOf(const WodSample& sample) const;
    void AppendRowText(std::string& out, const Key& key) const;
    void SpillKeys();
    void SortKeysInMemory();
    void MergeRuns(const std::function<void(const Key&)>& visit, bool distinctOnly);

    const LocaleFormat& format_;
    // rank_[slot][raw]: place of the slot's text among its 256 texts;
    // textOfRank_[slot][rank]: the text back.
    std::array<std::array<std::uint8_t, 256>, kWodSlotCount> rank_{};
    std::array<std::array<std::string, 256>, kWodSlotCount> textOfRank_{};

    std::size_t keysInMemory_;
    std::vector<Key> keys_;
    std::vector<std::unique_ptr<Run>> runs_;
    std::uint64_t count_ = 0;
    bool sorted_ = true;
    bool distinct_ = false;
};

}  // namespace orvex

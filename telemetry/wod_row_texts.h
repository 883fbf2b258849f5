#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "telemetry/channel_table.h"

namespace orvex {

class LocaleFormat;

// The ten WOD slots' texts ("0.00" and its ';') for every raw byte, each with
// its rank among its slot's texts in byte order. Made once from the locale
// for every load of a program run, as the report's lines are: sorting the
// 2,560 texts again at each load was most of a short log's load
// (fuzz/README.md).
class WodRowTexts {
public:
    explicit WodRowTexts(const LocaleFormat& format);

    const LocaleFormat& Format() const { return format_; }
    std::uint8_t Rank(int slot, std::uint8_t raw) const { return rank_[slot][raw]; }
    const std::string& TextOfRank(int slot, std::uint8_t rank) const {
        return textOfRank_[slot][rank];
    }

private:
    const LocaleFormat& format_;
    std::array<std::array<std::uint8_t, 256>, kWodSlotCount> rank_{};
    std::array<std::array<std::string, 256>, kWodSlotCount> textOfRank_{};
};

}  // namespace orvex

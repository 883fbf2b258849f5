#include "telemetry/wod_row_texts.h"

#include <algorithm>
#include <vector>

#include "telemetry/calibration.h"
#include "text/locale_format.h"

namespace orvex {

WodRowTexts::WodRowTexts(const LocaleFormat& format) : format_(format) {
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

}  // namespace orvex

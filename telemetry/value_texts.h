#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "telemetry/channel_table.h"

namespace orvex {

class LocaleFormat;

// The "0.000" and "0.00" texts of every channel's calibrated value for every
// raw byte, made once from the locale: a channel value is a function of its
// raw byte, so decoding a frame writes its numbers by table look-up. The same
// holds for a whole channel line of the TLM report block.
class ValueTexts {
    // Texts one after another in one buffer, found by index.
    class TextTable {
    public:
        void Reserve(std::size_t count, std::size_t bytes);
        void Add(std::string_view text);
        std::string_view operator[](std::size_t index) const {
            return std::string_view(bytes_).substr(starts_[index],
                                                   starts_[index + 1] - starts_[index]);
        }

    private:
        std::string bytes_;
        std::vector<std::uint32_t> starts_{0};
    };

public:
    ValueTexts(const LocaleFormat& format, const ChannelTable& channels);

    std::string_view ThreeDecimals(int channel, std::uint8_t raw) const {
        return three_[channel * 256 + raw];
    }
    std::string_view TwoDecimals(int channel, std::uint8_t raw) const {
        return two_[channel * 256 + raw];
    }
    // "Name  : value  Unit" and the line end, or the status line forms.
    std::string_view TlmReportLine(int channel, std::uint8_t raw) const {
        return tlmLines_[channel * 256 + raw];
    }

private:
    TextTable three_;
    TextTable two_;
    TextTable tlmLines_;
};

}  // namespace orvex

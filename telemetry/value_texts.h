#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/text_table.h"
#include "telemetry/channel_table.h"

namespace orvex {

class LocaleFormat;

// The "0.00" text of every channel's calibrated value for every raw byte, and
// every channel's whole line of the TLM report block, made once from the
// locale: a channel value is a function of its raw byte, so decoding a frame
// writes its numbers by table look-up.
class ValueTexts {
public:
    ValueTexts(const LocaleFormat& format, const ChannelTable& channels);

    std::string_view TwoDecimals(int channel, std::uint8_t raw) const {
        return two_[channel * 256 + raw];
    }
    // "Name  : value  Unit" and the line end, or the status line forms.
    std::string_view TlmReportLine(int channel, std::uint8_t raw) const {
        return tlmLines_[channel * 256 + raw];
    }

private:
    TextTable two_;
    TextTable tlmLines_;
};

}  // namespace orvex

#pragma once

#include <cstdint>
#include <string_view>

#include "text/text_table.h"

namespace orvex {

class LocaleFormat;

// Every channel's line of the TLM report block for every raw byte, made once
// from the locale: a channel's value is a function of its raw byte, so a
// block is written by look-up.
class TlmReportLines {
public:
    explicit TlmReportLines(const LocaleFormat& format);

    // "Name  : value  Unit" (the status channels without the unit) and the
    // line end.
    std::string_view Line(int channel, std::uint8_t raw) const {
        return lines_[static_cast<std::size_t>(channel) * 256 + raw];
    }

private:
    TextTable lines_;
};

}  // namespace orvex

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "telemetry/channel_table.h"
#include "text/text_table.h"

namespace orvex {

// Each channel's value for every raw byte as the data for other tools holds
// it: locale-free ('.' before the decimals the window shows; the eclipse and
// whole-number channels as integers), made once, so that a row is written by
// look-up; and each channel's column name.
class ChannelDataValues {
public:
    static const ChannelDataValues& Table();

    std::string_view Text(int channel, std::uint8_t raw) const {
        return Field(channel, raw).substr(1);
    }
    // The text after a comma: a CSV row's next field in one append.
    std::string_view Field(int channel, std::uint8_t raw) const {
        return fields_[static_cast<std::size_t>(channel) * 256 + raw];
    }
    // The name without its padding, then the unit in brackets when it has
    // one, UTF-8: "Battery 0 [V]", "Batt #5 Temp [°C]", "Eclipse".
    const std::string& ColumnName(int channel) const {
        return columnNames_[static_cast<std::size_t>(channel)];
    }

private:
    ChannelDataValues();

    TextTable fields_;
    std::array<std::string, kChannelCount> columnNames_;
};

}  // namespace orvex

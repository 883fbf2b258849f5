#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "telemetry/channel_table.h"

namespace orvex {

class LocaleFormat;

// The "0.000" and "0.00" texts of every channel's calibrated value for every
// raw byte, made once from the locale: a channel value is a function of its
// raw byte, so decoding a frame writes its numbers by table look-up.
class ValueTexts {
  public:
    explicit ValueTexts(const LocaleFormat& format);

    std::string_view ThreeDecimals(int channel, std::uint8_t raw) const {
        return three_[channel * 256 + raw];
    }
    std::string_view TwoDecimals(int channel, std::uint8_t raw) const {
        return two_[channel * 256 + raw];
    }

  private:
    std::vector<std::string> three_;
    std::vector<std::string> two_;
};

}  // namespace orvex

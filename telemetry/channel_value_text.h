#pragma once

#include <string>

#include "telemetry/channel_table.h"

namespace orvex {

class LocaleFormat;

// A channel's calibrated value in the channel's own form: "3.975",
// "YES [1]", "2".
void AppendChannelValue(std::string& out, const LocaleFormat& format, const Channel& channel,
                        double value);

}  // namespace orvex

#pragma once

#include <string>
#include <string_view>

namespace orvex {

// The archive's column of channel 0..37 in the telemetry view, the WOD view
// and the hourly extremes: "battery_0", "x_minus_array_current". Named by
// hand, as the window's names ("8 Volts Bus", "X- Array Cur") do not make
// SQL names by any rule; the table `channels` maps each to them.
std::string_view ChannelColumn(int channel);

// A name of the data export's as an SQL name: lower case, each run of other
// characters than letters and digits one underscore, "TXC 8.5V HPA" as
// "txc_8_5v_hpa".
std::string SqlName(std::string_view name);

}  // namespace orvex

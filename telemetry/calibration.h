#pragma once

#include <array>
#include <cstdint>

#include "telemetry/channel_table.h"

namespace orvex {

// The engineering value of channel `index` for the raw byte x, evaluated as
// written: a linear formula as product then sum, a quadratic one as
// x^2 * a, then the x term, then the constant, one rounding per operation.
double Calibrate(int index, std::uint8_t raw);

// Calibrate for every channel and every raw byte, computed once.
const std::array<std::array<double, 256>, kChannelCount>& CalibrationTable();

}  // namespace orvex

#pragma once

#include <array>
#include <cstdint>

#include "telemetry/channel_table.h"

namespace orvex {

// A channel's calibration: value = x*x*square + x*linear + constant for a
// quadratic one, x*linear + constant for a linear one; a raw channel has
// linear 1 and constant 0 and gives x itself.
struct CalibrationFormula {
    double square;
    double linear;
    double constant;
    bool quadratic;

    bool IsRaw() const { return !quadratic && linear == 1 && constant == 0; }
};

// Channel `index`'s formula, for those who evaluate it elsewhere (the
// archive's views, in SQL).
const CalibrationFormula& ChannelFormula(int index);

// The engineering value of channel `index` for the raw byte x, evaluated as
// written: a linear formula as product then sum, a quadratic one as
// x^2 * a, then the x term, then the constant, one rounding per operation.
double Calibrate(int index, std::uint8_t raw);

// Calibrate for every channel and every raw byte, computed once.
const std::array<std::array<double, 256>, kChannelCount>& CalibrationTable();

}  // namespace orvex

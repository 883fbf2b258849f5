#include "telemetry/calibration.h"

namespace orvex {
namespace {

using Formula = CalibrationFormula;

constexpr Formula Linear(double a, double b) {
    return {0, a, b, false};
}
constexpr Formula Quadratic(double a, double b, double c) {
    return {a, b, c, true};
}
constexpr Formula Raw() {
    return {0, 1, 0, false};
}

constexpr Formula kCell = Linear(-0.0041666, 1.9);
constexpr Formula kTemperature = Linear(-0.92, 145.08);
constexpr Formula kThermistor = Linear(-0.8846154, 140.6923);

constexpr std::array<Formula, kChannelCount> kFormulas = {
    kCell,
    kCell,
    kCell,
    kCell,
    kCell,
    kCell,
    kCell,
    kCell,
    Linear(0.0686763, 7.9650682),                  // 8 solar array
    Linear(0.0113333, 7.0473333),                  // 9 8 V bus
    Linear(0.0125, 3.75),                          // 10 5 V bus
    Linear(0.0204189, 8.1699655),                  // 11 10 V bus
    kTemperature,                                  // 12 battery 5
    Quadratic(0.0090934, 4.6595804, -8.5766634),   // 13
    Quadratic(-0.0002043, 1.9861031, -0.2637419),  // 14
    Quadratic(-0.0001976, 5.3687733, -1.6011952),  // 15
    Quadratic(0.0029869, 1.2945522, 2.5393978),    // 16 X-
    Quadratic(0.0034585, 1.2337216, 3.8778891),    // 17 X+
    Quadratic(0.003615, 1.2869215, 1.9453662),     // 18 Y-
    Quadratic(0.0030064, 1.3201728, 0.8377529),    // 19 Y+
    Quadratic(0.0002714, 1.3962301, -5.1705101),   // 20 Z-
    Quadratic(0.0041865, 1.1232609, 3.7194087),    // 21 Z+
    Quadratic(0.0013702, 1.5779074, -1.3147137),   // 22 external
    Quadratic(0.0099122, 1.0931975, 9.8611991),    // 23 BCR input
    Raw(),                                         // 24 BCR output
    kTemperature,
    kTemperature,
    kTemperature,                                  // 25..27
    Quadratic(0.2143451, -8.1787836, -21.995773),  // 28 TX A RF
    Quadratic(0.2271923, -5.2876206, -111.61003),  // 29 TX B RF
    kThermistor,
    kThermistor,
    kThermistor,
    kThermistor,
    Raw(),
    Raw(),
    Raw(),
    Raw(),  // 34..37 status
};

}  // namespace

const CalibrationFormula& ChannelFormula(int index) {
    return kFormulas[static_cast<std::size_t>(index)];
}

double Calibrate(int index, std::uint8_t raw) {
    const Formula& f = kFormulas[static_cast<std::size_t>(index)];
    const double x = raw;
    if (f.quadratic) {
        // Subtracting a coefficient and adding its negation give the same double.
        return x * x * f.square + x * f.linear + f.constant;
    }
    if (f.IsRaw()) {
        return x;
    }
    return x * f.linear + f.constant;
}

const std::array<std::array<double, 256>, kChannelCount>& CalibrationTable() {
    static const auto kTable = [] {
        std::array<std::array<double, 256>, kChannelCount> values{};
        for (int i = 0; i < kChannelCount; ++i) {
            for (int x = 0; x < 256; ++x) {
                values[i][x] = Calibrate(i, static_cast<std::uint8_t>(x));
            }
        }
        return values;
    }();
    return kTable;
}

}  // namespace orvex

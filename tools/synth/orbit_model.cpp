#include "tools/synth/orbit_model.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/random.h"
#include "tools/synth/smooth_math.h"

namespace orvex::synth {
namespace {

constexpr double kSpinSeconds = 260;
constexpr double kDepthOfDischarge = 0.3;
constexpr double kRechargedAt = 0.4;  // fraction of the sunlit arc
constexpr std::uint32_t kSecondsPerEdacCount = 1700;

// The largest deviation of each channel's noise, in its unit: the sensors'
// own jitter, so that neighbouring frames differ by a count now and then.
constexpr std::array<double, kChannelCount> kNoise = {
    0.004, 0.004, 0.004, 0.004, 0.004, 0.004, 0.004, 0.004,     // cells
    0.08,  0.012, 0.012, 0.03,  0.6,                            // array, buses, temp
    6,     3,     6,     2,     2,     2,     2,     2,     2,  // bus and array currents
    2,     8,     2,     0.6,   0.6,   0.6,                     // external, BCR, temps
    12,    6,     0.6,   0.6,   0.6,   0.6,                     // RF, thermistors
    0,     0,     0,     0,                                     // status counts
};

// Lags behind sunlight in turns: the peak comes just before eclipse entry.
double Thermal(double phase, double mean, double swing, double lag) {
    return mean + swing * CosTurns(phase - 0.95 + lag);
}

}  // namespace

OrbitModel::OrbitModel(std::uint64_t seed)
    : seed_(seed),
      phaseOffset_(HashUnit(seed, 1)),
      spinOffset_(HashUnit(seed, 2)),
      schedule_(seed) {
    for (std::size_t cell = 0; cell < cellOffset_.size(); ++cell) {
        cellOffset_[cell] = 0.024 * (HashUnit(seed, 3, cell) - 0.5);
    }
}

double OrbitModel::Phase(std::uint32_t time) const {
    const double turns = time / kPeriodSeconds + phaseOffset_;
    return turns - std::floor(turns);
}

SpacecraftState OrbitModel::At(std::uint32_t time) const {
    SpacecraftState state;
    const double phase = Phase(time);
    state.eclipse = phase < kEclipseFraction;
    state.txMode = schedule_.ModeAt(time);
    SetArrays(state, time);
    SetPower(state, phase);
    SetTemperatures(state, phase);
    SetStatus(state, time);
    AddNoise(state, time);
    return state;
}

void OrbitModel::SetArrays(SpacecraftState& state, std::uint32_t time) const {
    // The sun seen from the spinning body: round the spin axis, with an
    // elevation that drifts slowly as the orbit precesses.
    const double spin = time / kSpinSeconds + spinOffset_;
    const double elevation = 0.11 * SinTurns(time / (kPeriodSeconds * 11.3));
    const double sun[3] = {CosTurns(elevation) * CosTurns(spin),
                           CosTurns(elevation) * SinTurns(spin), SinTurns(elevation)};
    constexpr double kFaceMilliamps[3] = {330, 330, 180};
    double total = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const double lit = state.eclipse ? 0 : kFaceMilliamps[axis];
        const double minus = lit * std::max(0.0, -sun[axis]);
        const double plus = lit * std::max(0.0, sun[axis]);
        state.value[kArrayXMinus + 2 * axis] = minus;
        state.value[kArrayXMinus + 2 * axis + 1] = plus;
        total += minus + plus;
    }
    state.value[kBcrInputCurrent] = state.eclipse ? 10 : 0.92 * total;
    state.value[kBcrOutput] = state.eclipse ? 2 : 60 + 0.25 * state.value[kBcrInputCurrent];
    state.value[kSolarArrayVolts] = state.eclipse ? 8.1 : 22.4;
    state.value[kExternalCurrent] = 1.5;
}

void OrbitModel::SetPower(SpacecraftState& state, double phase) const {
    // State of charge: down through the eclipse, back up early in the sun,
    // then held by trickle charge.
    double charge = 1 - kDepthOfDischarge * phase / kEclipseFraction;
    double charging = 0;
    if (!state.eclipse) {
        const double sunlit = (phase - kEclipseFraction) / (1 - kEclipseFraction);
        charge = 1 - kDepthOfDischarge * (1 - std::min(1.0, sunlit / kRechargedAt));
        charging = sunlit < kRechargedAt ? 0.06 : 0.03;
    }
    double pack = 0;
    for (int cell = 0; cell < 8; ++cell) {
        const double volts = 1.22 + 0.14 * charge + charging + cellOffset_[cell];
        state.value[kBatteryCell0 + cell] = volts;
        pack += volts;
    }
    const double rf = ModePowerMilliwatts(state.txMode);
    state.value[kBus10Volts] = pack - 0.7;  // after the diode and the harness
    state.value[kBus8Volts] = 8.0;
    state.value[kBus5Volts] = 5.0;
    state.value[kBus10Current] = 140 + 0.055 * rf;
    state.value[kBus8Current] = state.eclipse ? 71 : 63;  // the battery heater
    state.value[kBus5Current] = 118;
    state.value[kTxARf] = rf;
    state.value[kTxBRf] = 0;  // the spare transmitter stays off
}

void OrbitModel::SetTemperatures(SpacecraftState& state, double phase) const {
    const double txHeat = 0.002 * ModePowerMilliwatts(state.txMode);
    state.value[kBattery5Temp] = Thermal(phase, 10, 4, 0.08);
    state.value[kBattery0Temp] = Thermal(phase, 9, 4, 0.09);
    state.value[kBcrPlateTemp] = Thermal(phase, 12, 12, 0.02);
    state.value[kBcrBoardTemp] = Thermal(phase, 18, 6, 0.04);
    for (int thermistor = 0; thermistor < 4; ++thermistor) {
        state.value[kTxThermistorA + thermistor] =
            Thermal(phase, 17 + txHeat + thermistor, 6, 0.05);
    }
    // Array output falls as the panels warm up.
    if (!state.eclipse) {
        state.value[kSolarArrayVolts] -= 0.06 * (state.value[kBcrPlateTemp] - 10);
    }
}

void OrbitModel::SetStatus(SpacecraftState& state, std::uint32_t time) const {
    const auto edacStart = static_cast<std::uint32_t>(Mix64(seed_) % 256);
    state.value[kEdacCounter] = (edacStart + time / kSecondsPerEdacCount) % 256;
    state.value[kEclipse] = state.eclipse ? 1 : 0;
    state.value[kSetPoint] = state.eclipse ? kSetPointEclipse : kSetPointSun;
    const double txTemp = state.value[kTxThermistorA];
    state.value[kTeprState] = static_cast<double>(
        std::count_if(kTeprThresholds.begin(), kTeprThresholds.end(),
                      [txTemp](std::uint8_t threshold) { return txTemp >= threshold; }));
}

void OrbitModel::AddNoise(SpacecraftState& state, std::uint32_t time) const {
    for (int channel = 0; channel < kChannelCount; ++channel) {
        // Two uniform draws make a triangular spread, mostly near the middle.
        const double spread = HashUnit(seed_, time, std::uint64_t{2} * channel) +
                              HashUnit(seed_, time, std::uint64_t{2} * channel + 1) - 1;
        state.value[channel] += kNoise[channel] * spread;
    }
}

}  // namespace orvex::synth

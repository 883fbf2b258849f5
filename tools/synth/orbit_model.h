#pragma once

#include <array>
#include <cstdint>

#include "telemetry/channel_table.h"
#include "tools/synth/tx_schedule.h"

namespace orvex::synth {

// TLM channel indices that the model sets by name.
enum Channel : int {
    kBatteryCell0 = 0,  // eight cells, indices 0..7
    kSolarArrayVolts = 8,
    kBus8Volts = 9,
    kBus5Volts = 10,
    kBus10Volts = 11,
    kBattery5Temp = 12,
    kBus10Current = 13,
    kBus8Current = 14,
    kBus5Current = 15,
    kArrayXMinus = 16,  // X-, X+, Y-, Y+, Z-, Z+: indices 16..21
    kExternalCurrent = 22,
    kBcrInputCurrent = 23,
    kBcrOutput = 24,
    kBcrPlateTemp = 25,
    kBcrBoardTemp = 26,
    kBattery0Temp = 27,
    kTxARf = 28,
    kTxBRf = 29,
    kTxThermistorA = 30,  // four thermistors, indices 30..33
    kEdacCounter = 34,
    kEclipse = 35,
    kSetPoint = 36,
    kTeprState = 37,
};

// What the satellite's sensors read at one moment, in engineering units (raw
// counts for the unit-less channels).
struct SpacecraftState {
    bool eclipse = false;
    std::uint8_t txMode = 0;
    std::array<double, kChannelCount> value{};
};

// A small satellite in low orbit, spinning slowly: about a third of each orbit
// in the Earth's shadow, where the arrays give nothing and the battery
// discharges; the battery recharges early in the sunlit part; temperatures
// swing with a lag behind sunlight. The state is a function of the time alone,
// so a moment sampled twice (a TLM frame and a WOD sample) reads the same.
class OrbitModel {
public:
    static constexpr double kPeriodSeconds = 5790;  // 96.5 minutes
    static constexpr double kEclipseFraction = 0.36;
    // Temperature thresholds of the TEPR states, degrees C of TX thermistor A.
    static constexpr std::array<std::uint8_t, 6> kTeprThresholds = {20, 25, 30, 35, 40, 45};
    static constexpr std::uint8_t kSetPointSun = 12;
    static constexpr std::uint8_t kSetPointEclipse = 10;

    explicit OrbitModel(std::uint64_t seed);

    SpacecraftState At(std::uint32_t time) const;
    const TxSchedule& Schedule() const { return schedule_; }

private:
    double Phase(std::uint32_t time) const;  // 0 at eclipse entry, in turns
    void SetPower(SpacecraftState& state, double phase) const;
    void SetArrays(SpacecraftState& state, std::uint32_t time) const;
    void SetTemperatures(SpacecraftState& state, double phase) const;
    void SetStatus(SpacecraftState& state, std::uint32_t time) const;
    void AddNoise(SpacecraftState& state, std::uint32_t time) const;

    std::uint64_t seed_;
    double phaseOffset_;
    double spinOffset_;
    std::array<double, 8> cellOffset_{};
    TxSchedule schedule_;
};

}  // namespace orvex::synth

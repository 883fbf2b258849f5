#include "tools/synth/status_frames.h"

#include "telemetry/channel_table.h"
#include "tools/synth/random.h"
#include "tools/synth/raw_inverse.h"
#include "tools/synth/telemetry_frames.h"

namespace orvex::synth {
namespace {

constexpr std::uint32_t kSecondsPerDay = 86400;
constexpr std::uint32_t kLaunchDay = 20240;  // 2025-06-01

// Register bytes without a meaning of their own: a level per byte that
// changes only over days.
void PutSteadyBytes(FrameBuilder& builder, std::size_t from, std::size_t to, std::uint32_t time,
                    std::uint64_t seed) {
    for (std::size_t offset = from; offset <= to; ++offset) {
        const double level =
            HashUnit(seed, 0x5EAD, offset + std::uint64_t{1000} * (time / kSecondsPerDay / 9));
        builder.Put(offset, static_cast<std::uint8_t>(level * 256));
    }
}

std::uint8_t HpaFlags(std::uint8_t mode) {
    constexpr std::uint8_t k5V = 0x08, k8V5 = 0x01, k10V = 0x04;
    const double power = ModePowerMilliwatts(mode);
    if (power >= 4000) {
        return k8V5 | k10V;
    }
    return power >= 500 ? k5V : 0;
}

}  // namespace

bool BuildHwsFrame(SynthFrame& frame, std::uint32_t sequence, std::uint32_t time,
                   const SpacecraftState& state, std::uint64_t seed) {
    FrameBuilder builder(frame, kHwsType, sequence);
    builder.PutTime(7, time);
    const bool on = state.txMode != 0;
    const auto agc = static_cast<std::uint8_t>(0x40 + 0x30 * HashUnit(seed, time, 11));
    // RXAART: AGC level, exciter and receiver-lock flags, band select.
    builder.Put(11, agc);
    builder.Put(12, static_cast<std::uint8_t>((on ? 0x20 : 0) | 0x01));
    builder.Put(13, 0x02);
    // TXAART: power setting, mode, synthesiser lock.
    builder.Put(14, static_cast<std::uint8_t>(ModePowerMilliwatts(state.txMode) / 16));
    builder.Put(15, static_cast<std::uint8_t>(0x40 | state.txMode));
    builder.Put(16, 0x80);
    // BCAART: charging or discharging, the tracker's step, a fixed trim.
    builder.Put(17, state.eclipse ? 0x02 : 0x81);
    builder.Put(18, RawFor(kSolarArrayVolts, state.value[kSolarArrayVolts]));
    builder.Put(19, 0x10);
    // ModemAART: 1200 bd, the PTT bit now and then, the HPA flags.
    builder.Put(20, 0x12);
    builder.Put(21, 0x00);
    const bool ptt = HashUnit(seed, time, 22) < 0.3;
    builder.Put(22, static_cast<std::uint8_t>(0x30 | (ptt ? 0x02 : 0) | HpaFlags(state.txMode)));
    PutSteadyBytes(builder, 23, 30, time, seed);
    return builder.Finish();
}

bool BuildSwsFrame(SynthFrame& frame, std::uint32_t sequence, std::uint32_t time,
                   const SpacecraftState& state, std::uint64_t seed) {
    const std::uint32_t day = time / kSecondsPerDay;
    const std::uint32_t daysInOrbit = day > kLaunchDay ? day - kLaunchDay : 0;
    FrameBuilder builder(frame, kSwsType, sequence);
    PutSteadyBytes(builder, 7, 87, time, seed);
    // The digipeater runs in the digital modes.
    builder.Put(7, state.txMode >= 1 && state.txMode <= 3 ? 1 : 0);
    builder.Put(8, state.txMode);
    builder.Put(9, kWodGatherSeconds);
    builder.Put(27, 30);                                           // transmit timeout, minutes
    builder.Put(28, static_cast<std::uint8_t>(day % 4));           // timeouts today
    builder.Put(38, static_cast<std::uint8_t>(daysInOrbit / 17));  // watchdog resets
    builder.Put(39, static_cast<std::uint8_t>(daysInOrbit / 41));
    builder.Put(40, 0);
    const WodChannelList& wod = WodChannels();
    for (std::size_t k = 0; k < wod.size(); ++k) {
        builder.Put(43 + k, static_cast<std::uint8_t>(wod[k]));
    }
    builder.Put(54, OrbitModel::kSetPointSun);
    builder.Put(55, OrbitModel::kSetPointEclipse);
    builder.Put(60, 45);   // eclipse current cut-off
    builder.Put(61, 131);  // eclipse voltage cut-off
    constexpr std::uint8_t kTeprModes[6] = {3, 2, 2, 1, 1, 0};
    for (std::size_t k = 0; k < 6; ++k) {
        builder.Put(62 + k, OrbitModel::kTeprThresholds[k]);
        builder.Put(74 + k, kTeprModes[k]);
    }
    return builder.Finish();
}

bool BuildToprFrame(SynthFrame& frame, std::uint32_t sequence, const ToprTable& table) {
    FrameBuilder builder(frame, kToprType, sequence);
    std::uint8_t checksum = 0;
    for (std::size_t k = 0; k < table.size(); ++k) {
        builder.PutWord(7 + 2 * k, table[k].seconds);
        builder.Put(21 + k, table[k].mode);
    }
    for (std::size_t offset = 7; offset < 28; ++offset) {
        checksum = static_cast<std::uint8_t>(checksum + frame.bytes[offset]);
    }
    builder.Put(28, checksum);
    return builder.Finish();
}

}  // namespace orvex::synth

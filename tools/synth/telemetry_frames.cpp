#include "tools/synth/telemetry_frames.h"

#include "tools/synth/random.h"
#include "tools/synth/raw_inverse.h"

namespace orvex::synth {
namespace {

constexpr std::size_t kTlmChannelsAt = 56;
constexpr std::size_t kTlmVersionAt = 132;
constexpr std::size_t kWodSampleBytes = 15;

std::uint8_t OtherChannel(std::uint64_t seed, std::uint32_t time, std::size_t offset) {
    const int level = static_cast<int>(HashUnit(seed, 0x07E5, offset) * 200) + 20;
    const int wander = static_cast<int>(HashUnit(seed, time, offset) * 5) - 2;
    return static_cast<std::uint8_t>(level + wander);
}

}  // namespace

RawChannels RawTelemetry(const SpacecraftState& state) {
    RawChannels raw;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        raw[channel] = RawFor(channel, state.value[channel]);
    }
    return raw;
}

bool BuildTlmFrame(SynthFrame& frame, std::uint32_t sequence, std::uint32_t time,
                   const RawChannels& raw, std::uint64_t seed) {
    FrameBuilder builder(frame, kTlmType, sequence);
    builder.PutTime(7, time);
    for (std::size_t offset = 11; offset < kTlmVersionAt; ++offset) {
        builder.Put(offset, OtherChannel(seed, time, offset));
    }
    for (std::size_t channel = 0; channel < raw.size(); ++channel) {
        builder.Put(kTlmChannelsAt + 2 * channel, raw[channel]);
    }
    builder.Put(kTlmVersionAt, kSoftwareVersion);
    return builder.Finish();
}

bool BuildWodFrame(SynthFrame& frame, std::uint32_t sequence, std::uint64_t index,
                   const OrbitModel& model) {
    const WodChannelList& slots = WodChannels();
    FrameBuilder builder(frame, kWodType, sequence);
    for (int k = 0; k < kSamplesPerWodFrame; ++k) {
        const std::uint64_t sample = kSamplesPerWodFrame * index + k;
        const auto time = static_cast<std::uint32_t>(sample * kWodGatherSeconds);
        const SpacecraftState state = model.At(time);
        const std::size_t at = 7 + kWodSampleBytes * k;
        builder.PutTime(at, time);
        builder.Put(at + 4, static_cast<std::uint8_t>(sample));
        for (int slot = 1; slot <= kWodSlotCount; ++slot) {
            const int channel = ChannelIndexOfNumber(slots[slot]);
            builder.Put(at + 4 + slot, RawFor(channel, state.value[channel]));
        }
    }
    return builder.Finish();
}

}  // namespace orvex::synth

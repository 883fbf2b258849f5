#include "tools/synth/downlink_cycle.h"

#include <array>

#include "tools/synth/status_frames.h"
#include "tools/synth/text_frames.h"

namespace orvex::synth {
namespace {

using enum DownlinkSlot::Kind;

constexpr std::array<DownlinkSlot::Kind, 20> kCycle = {
    kTlm,  kWod,  kHousekeeping, kIdle, kTlm,  kIdle, kWod, kIdle,         kTlm,  kHousekeeping,
    kIdle, kIdle, kTlm,          kWod,  kIdle, kIdle, kTlm, kHousekeeping, kIdle, kIdle,
};
constexpr std::uint32_t kSentPerCycle = 11;
constexpr std::uint32_t kWodPerCycle = 3;
constexpr std::uint32_t kHousekeepingPerCycle = 3;

constexpr std::array<std::uint8_t, 20> kHousekeepingTurns = {
    kTimeType, kHwsType,     kSwsType,  kInfType,       kToprType,       kBcrType, kHwsType,
    kSwsType,  kMessageType, kTimeType, kInfType,       kTlmControlType, kHwsType, kSwsType,
    kToprType, kCoefType,    kTimeType, kWodFormatType, kInfType,        kErrType,
};

// How many slots of `kind` come before `second` in one cycle.
std::uint32_t CountBefore(DownlinkSlot::Kind kind, std::uint32_t second) {
    std::uint32_t count = 0;
    for (std::uint32_t s = 0; s < second; ++s) {
        count += kCycle[s] == kind ? 1 : 0;
    }
    return count;
}

std::uint32_t SentBefore(std::uint32_t second) {
    return second - CountBefore(kIdle, second);
}

}  // namespace

DownlinkSlot SlotAt(std::uint32_t time) {
    const std::uint32_t cycle = time / kCycle.size();
    const auto second = static_cast<std::uint32_t>(time % kCycle.size());
    DownlinkSlot slot;
    slot.kind = kCycle[second];
    slot.sequence = cycle * kSentPerCycle + SentBefore(second);
    if (slot.kind == kWod) {
        slot.wodCount = std::uint64_t{cycle} * kWodPerCycle + CountBefore(kWod, second);
    } else if (slot.kind == kHousekeeping) {
        const std::uint64_t turn =
            std::uint64_t{cycle} * kHousekeepingPerCycle + CountBefore(kHousekeeping, second);
        slot.housekeepingType = kHousekeepingTurns[turn % kHousekeepingTurns.size()];
    }
    return slot;
}

}  // namespace orvex::synth

#include "tools/synth/frame_stream.h"

#include <cstdint>
#include <limits>

#include "tools/synth/status_frames.h"
#include "tools/synth/telemetry_frames.h"
#include "tools/synth/text_frames.h"

namespace orvex::synth {
namespace {

constexpr double kHeardTwice = 0.03;
constexpr std::uint64_t kSecondsPerWodFrame =
    std::uint64_t{kSamplesPerWodFrame} * kWodGatherSeconds;
// Frames that hold one orbit of WOD.
constexpr auto kStoredWodFrames = static_cast<std::uint64_t>(
    (OrbitModel::kPeriodSeconds + kSecondsPerWodFrame - 1) / kSecondsPerWodFrame);

// The WOD the satellite holds at the start of a pass: the last orbit's.
std::uint64_t FirstStoredWod(const Pass& pass) {
    const std::uint64_t newest = pass.start / kSecondsPerWodFrame;
    return newest > kStoredWodFrames ? newest - kStoredWodFrames : 0;
}

std::uint8_t TypeOf(const DownlinkSlot& slot) {
    switch (slot.kind) {
        case DownlinkSlot::kTlm:
            return kTlmType;
        case DownlinkSlot::kWod:
            return kWodType;
        default:
            return slot.housekeepingType;
    }
}

}  // namespace

FrameStream::FrameStream(std::uint64_t seed, std::uint32_t start, FrameMix mix)
    : seed_(seed), mix_(mix), model_(seed), passes_(start, seed), random_(seed) {}

void FrameStream::StartNextPass() {
    pass_ = passes_.Next();
    ++passesStarted_;
    second_ = 0;
    firstStoredWod_ = FirstStoredWod(pass_);
}

bool FrameStream::Next(SynthFrame& frame) {
    if (repeatPending_) {
        repeatPending_ = false;
        frame = repeat_;
        return true;
    }
    while (true) {
        if (second_ == pass_.seconds) {
            StartNextPass();
        }
        const std::uint64_t time = pass_.start + second_;
        if (time > std::numeric_limits<std::uint32_t>::max()) {
            return false;
        }
        const bool heard = random_.Chance(PassScheduler::ReceptionChance(pass_, second_++));
        const DownlinkSlot slot = SlotAt(static_cast<std::uint32_t>(time));
        if (slot.kind == DownlinkSlot::kIdle || !heard || !mix_.Has(TypeOf(slot)) ||
            !Build(slot, static_cast<std::uint32_t>(time), frame)) {
            continue;
        }
        frame.pass = passesStarted_ - 1;
        if (frame.Type() == kWodType && random_.Chance(kHeardTwice)) {
            repeat_ = frame;
            repeatPending_ = true;
        }
        return true;
    }
}

bool FrameStream::Build(const DownlinkSlot& slot, std::uint32_t time, SynthFrame& frame) {
    switch (slot.kind) {
        case DownlinkSlot::kTlm:
            return BuildTlmFrame(frame, slot.sequence, time, RawTelemetry(model_.At(time)), seed_);
        case DownlinkSlot::kWod:
            return BuildWodFrame(frame, slot.sequence,
                                 firstStoredWod_ + slot.wodCount % kStoredWodFrames, model_);
        default:
            return BuildHousekeeping(slot.housekeepingType, slot.sequence, time, frame);
    }
}

bool FrameStream::BuildHousekeeping(std::uint8_t type, std::uint32_t sequence, std::uint32_t time,
                                    SynthFrame& frame) {
    const SpacecraftState state = model_.At(time);
    switch (type) {
        case kHwsType:
            return BuildHwsFrame(frame, sequence, time, state, seed_);
        case kSwsType:
            return BuildSwsFrame(frame, sequence, time, state, seed_);
        case kToprType:
            return BuildToprFrame(frame, sequence, model_.Schedule().TableAt(time));
        default:
            return BuildTextFrame(frame, sequence, type, time, state, random_);
    }
}

}  // namespace orvex::synth

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "frames/frame_layout.h"
#include "kiss/frame.h"
#include "telemetry/channel_table.h"

namespace orvex {

// Real-time telemetry: the time, one raw byte per channel, the software
// version.
class TlmFrame {
public:
    explicit TlmFrame(const Frame& frame) : frame_(frame) {}

    std::uint32_t Timestamp() const { return frame_.TimestampAt(layout::tlm::kTime); }
    // Channel 0..37's raw byte.
    std::uint8_t RawChannel(int channel) const { return frame_[layout::tlm::ChannelAt(channel)]; }
    std::uint8_t SoftwareVersion() const { return frame_[layout::tlm::kSoftwareVersion]; }
    // Whether the frame reached the field itself, rather than leaving it to
    // an earlier frame's byte.
    bool HoldsTimestamp() const { return frame_.Holds(layout::tlm::kTime, layout::kTimeBytes); }
    bool HoldsChannel(int channel) const { return frame_.Holds(layout::tlm::ChannelAt(channel)); }
    bool HoldsSoftwareVersion() const { return frame_.Holds(layout::tlm::kSoftwareVersion); }
    // How many channels, from channel 0, the frame holds: they lie in order.
    int ChannelsHeld() const {
        int held = 0;
        while (held < kChannelCount && HoldsChannel(held)) {
            ++held;
        }
        return held;
    }
    const Frame& Bytes() const { return frame_; }

private:
    const Frame& frame_;
};

// Whole-orbit data: three samples.
class WodFrame {
public:
    static constexpr int kSampleCount = layout::wod::kSampleCount;
    struct Sample {
        std::uint32_t timestamp = 0;
        std::uint8_t extra = 0;                         // a byte the report shows in hex only
        std::array<std::uint8_t, kWodSlotCount> raw{};  // the WOD channels' raw bytes
    };

    explicit WodFrame(const Frame& frame) : frame_(frame) {}

    Sample SampleAt(int index) const {
        const std::size_t at = layout::wod::SampleAt(index);
        Sample sample;
        sample.timestamp = frame_.TimestampAt(at);
        sample.extra = frame_[at + layout::wod::kSampleExtra];
        for (std::size_t slot = 0; slot < kWodSlotCount; ++slot) {
            sample.raw[slot] = frame_[at + layout::wod::kSampleSlots + slot];
        }
        return sample;
    }
    // Whether the whole sample lies inside the frame.
    bool HoldsSample(int index) const {
        return frame_.Holds(layout::wod::SampleAt(index), layout::wod::kSampleBytes);
    }
    const Frame& Bytes() const { return frame_; }

private:
    const Frame& frame_;
};

}  // namespace orvex

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "kiss/frame.h"
#include "telemetry/channel_table.h"

namespace orvex {

// Real-time telemetry: the time, one raw byte per channel, the software
// version.
class TlmFrame {
public:
    explicit TlmFrame(const Frame& frame) : frame_(frame) {}

    std::uint32_t Timestamp() const { return frame_.TimestampAt(7); }
    // Channel 0..37's raw byte; channels lie two bytes apart from offset 56.
    std::uint8_t RawChannel(int channel) const {
        return frame_[56 + 2 * static_cast<std::size_t>(channel)];
    }
    std::uint8_t SoftwareVersion() const { return frame_[132]; }
    const Frame& Bytes() const { return frame_; }

private:
    const Frame& frame_;
};

// Whole-orbit data: three samples of 15 bytes from offset 7.
class WodFrame {
public:
    static constexpr int kSampleCount = 3;
    struct Sample {
        std::uint32_t timestamp = 0;
        std::uint8_t extra = 0;                         // a byte the report shows in hex only
        std::array<std::uint8_t, kWodSlotCount> raw{};  // the WOD channels' raw bytes
    };

    explicit WodFrame(const Frame& frame) : frame_(frame) {}

    Sample SampleAt(int index) const {
        const std::size_t at = 7 + 15 * static_cast<std::size_t>(index);
        Sample sample;
        sample.timestamp = frame_.TimestampAt(at);
        sample.extra = frame_[at + 4];
        for (std::size_t slot = 0; slot < kWodSlotCount; ++slot) {
            sample.raw[slot] = frame_[at + 5 + slot];
        }
        return sample;
    }
    const Frame& Bytes() const { return frame_; }

private:
    const Frame& frame_;
};

}  // namespace orvex

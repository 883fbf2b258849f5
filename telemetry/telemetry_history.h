#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "telemetry/channel_history.h"
#include "telemetry/channel_table.h"

namespace orvex {

// Every TLM frame of a load, for the chart: the frame's time and its 38 raw
// channel bytes, 42 bytes a frame, calibrated only when drawn. Frames go into
// blocks of a fixed size, one column of bytes per channel: the store never
// copies itself as it grows, wastes at most one block, and a chart reads one
// channel's bytes one after another.
class TelemetryHistory : public ChannelHistory {
public:
    using RawChannels = std::array<std::uint8_t, kChannelCount>;
    static constexpr std::size_t kBlockFrames = 1024;

    // Keeps at most `capacity` frames; those beyond it, or beyond the memory
    // the system grants, are counted instead.
    explicit TelemetryHistory(std::size_t capacity = std::numeric_limits<std::size_t>::max());
    ~TelemetryHistory() override;
    TelemetryHistory(const TelemetryHistory&) = delete;
    TelemetryHistory& operator=(const TelemetryHistory&) = delete;

    void Add(std::uint32_t timestamp, const RawChannels& raw);
    // Forgets every frame and gives its memory back.
    void Clear();

    std::size_t Count() const { return count_; }
    std::uint64_t Dropped() const { return dropped_; }
    std::uint32_t Timestamp(std::size_t index) const;
    std::uint8_t Raw(std::size_t index, int channel) const;
    // The memory the frames take, blocks and their index.
    std::size_t BytesHeld() const;

    std::optional<TimeSpan> Extent() const override;
    std::vector<HistoryPoint> Series(int channel, const TimeSpan& span, int columns) const override;

private:
    struct Block {
        std::array<std::uint32_t, kBlockFrames> timestamps;
        std::array<std::array<std::uint8_t, kBlockFrames>, kChannelCount> raw;
        // A chart of a few hours of a long log reads only their blocks.
        std::uint32_t earliest = 0;
        std::uint32_t latest = 0;
    };

    std::size_t capacity_;
    std::vector<std::unique_ptr<Block>> blocks_;
    std::size_t count_ = 0;
    std::uint64_t dropped_ = 0;
    bool outOfMemory_ = false;
    std::uint32_t earliest_ = 0;
    std::uint32_t latest_ = 0;
};

}  // namespace orvex

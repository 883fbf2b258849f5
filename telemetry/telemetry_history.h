#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "telemetry/channel_history.h"
#include "telemetry/channel_table.h"

namespace orvex {

// Every TLM frame of a load, for the chart and the panel: the frame's time,
// its 38 raw channel bytes and how many of them the frame itself held, 43
// bytes a frame, calibrated only when drawn or shown.
//
// One thread adds frames (the load's) while others read them (the window's)
// without a lock: frames go into blocks of a fixed size that never move once
// made, found through a directory of a fixed size, and a frame is published
// by the count, stored after the frame (release) and read before it
// (acquire). A reader sees every frame below the count it read, whole. Each
// load has a history of its own, so a reader may keep the one it draws for
// as long as it likes.
class TelemetryHistory : public ChannelHistory {
public:
    using RawChannels = std::array<std::uint8_t, kChannelCount>;
    static constexpr std::size_t kBlockFrames = 1024;
    static constexpr std::size_t kPageBlocks = 1024;
    static constexpr std::size_t kPages = 1024;
    // A billion frames, a log of about 140 GB.
    static constexpr std::size_t kMostFrames = kBlockFrames * kPageBlocks * kPages;

    // Keeps at most `capacity` frames; those beyond it, or beyond the memory
    // the system grants, are counted instead.
    explicit TelemetryHistory(std::size_t capacity = kMostFrames);
    ~TelemetryHistory() override;
    TelemetryHistory(const TelemetryHistory&) = delete;
    TelemetryHistory& operator=(const TelemetryHistory&) = delete;

    // The adding thread's. `heldChannels` of the frame's channels, from the
    // first on, lay inside the frame; the others' bytes are an earlier
    // frame's, left in the buffer (see Frame).
    void Add(std::uint32_t timestamp, const RawChannels& raw, int heldChannels = kChannelCount);

    // Any thread's; an index is valid below a count read before.
    std::size_t Count() const { return count_.load(std::memory_order_acquire); }
    std::uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }
    std::uint32_t Timestamp(std::size_t index) const;
    std::uint8_t Raw(std::size_t index, int channel) const;
    // Whether the frame itself held the channel's byte.
    bool Holds(std::size_t index, int channel) const;
    // The memory the frames take, blocks and their directory.
    std::size_t BytesHeld() const;

    // From the earliest to the latest frame time. While frames are added it
    // may already include one that the count does not.
    std::optional<TimeSpan> Extent() const override;
    // Only the frames that held the channel's byte.
    std::vector<HistoryPoint> Series(int channel, const TimeSpan& span, int columns) const override;

private:
    struct Block {
        std::array<std::uint32_t, kBlockFrames> timestamps;
        std::array<std::array<std::uint8_t, kBlockFrames>, kChannelCount> raw;
        std::array<std::uint8_t, kBlockFrames> held;
        // A chart of a few hours of a long log reads only their blocks. Set
        // before the count that publishes a frame, so they hold every frame
        // below it, perhaps one more.
        std::atomic<std::uint32_t> earliest = 0;
        std::atomic<std::uint32_t> latest = 0;
    };
    using Page = std::array<std::unique_ptr<Block>, kPageBlocks>;

    const Block& BlockOf(std::size_t index) const;
    // The block that frame `index` goes into, made when it is the first.
    Block* PlaceFor(std::size_t index);

    std::size_t capacity_;
    std::array<std::unique_ptr<Page>, kPages> pages_;
    std::atomic<std::size_t> count_ = 0;
    std::atomic<std::uint64_t> dropped_ = 0;
    bool outOfMemory_ = false;  // the adding thread's
    std::atomic<std::uint32_t> earliest_ = 0;
    std::atomic<std::uint32_t> latest_ = 0;
};

}  // namespace orvex

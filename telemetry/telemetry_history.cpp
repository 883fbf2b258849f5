#include "telemetry/telemetry_history.h"

#include <algorithm>
#include <new>

#include "telemetry/calibration.h"
#include "telemetry/column_extremes.h"

namespace orvex {
namespace {

// The time range a new frame widens: the first frame's time starts it.
void Widen(std::atomic<std::uint32_t>& earliest, std::atomic<std::uint32_t>& latest,
           std::uint32_t time, bool first) {
    const std::uint32_t low = earliest.load(std::memory_order_relaxed);
    const std::uint32_t high = latest.load(std::memory_order_relaxed);
    earliest.store(first ? time : std::min(low, time), std::memory_order_relaxed);
    latest.store(first ? time : std::max(high, time), std::memory_order_relaxed);
}

}  // namespace

TelemetryHistory::TelemetryHistory(std::size_t capacity)
    : capacity_(std::min(capacity, kMostFrames)) {}

TelemetryHistory::~TelemetryHistory() = default;

void TelemetryHistory::Add(std::uint32_t timestamp, const RawChannels& raw, int heldChannels) {
    const std::size_t index = count_.load(std::memory_order_relaxed);
    Block* block = index == capacity_ || outOfMemory_ ? nullptr : PlaceFor(index);
    if (block == nullptr) {
        dropped_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    const std::size_t slot = index % kBlockFrames;
    block->timestamps[slot] = timestamp;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        block->raw[channel][slot] = raw[channel];
    }
    block->held[slot] = static_cast<std::uint8_t>(std::clamp(heldChannels, 0, kChannelCount));
    Widen(block->earliest, block->latest, timestamp, slot == 0);
    Widen(earliest_, latest_, timestamp, index == 0);
    count_.store(index + 1, std::memory_order_release);
}

TelemetryHistory::Block* TelemetryHistory::PlaceFor(std::size_t index) {
    const std::size_t blockIndex = index / kBlockFrames;
    std::unique_ptr<Page>& page = pages_[blockIndex / kPageBlocks];
    // A log too long for memory keeps the frames that fit and says so; the
    // rest of the load (report, export) goes on.
    try {
        if (!page) {
            page = std::make_unique<Page>();
        }
        std::unique_ptr<Block>& placed = (*page)[blockIndex % kPageBlocks];
        if (!placed) {
            placed = std::make_unique<Block>();
        }
        return placed.get();
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
        return nullptr;
    }
}

const TelemetryHistory::Block& TelemetryHistory::BlockOf(std::size_t index) const {
    const std::size_t blockIndex = index / kBlockFrames;
    return *(*pages_[blockIndex / kPageBlocks])[blockIndex % kPageBlocks];
}

std::uint32_t TelemetryHistory::Timestamp(std::size_t index) const {
    return BlockOf(index).timestamps[index % kBlockFrames];
}

std::uint8_t TelemetryHistory::Raw(std::size_t index, int channel) const {
    return BlockOf(index).raw[channel][index % kBlockFrames];
}

bool TelemetryHistory::Holds(std::size_t index, int channel) const {
    return channel < BlockOf(index).held[index % kBlockFrames];
}

std::size_t TelemetryHistory::BytesHeld() const {
    const std::size_t blocks = (Count() + kBlockFrames - 1) / kBlockFrames;
    const std::size_t pages = (blocks + kPageBlocks - 1) / kPageBlocks;
    return blocks * sizeof(Block) + pages * sizeof(Page) + sizeof(pages_);
}

std::optional<TimeSpan> TelemetryHistory::Extent() const {
    if (Count() == 0) {
        return std::nullopt;
    }
    return TimeSpan{static_cast<double>(earliest_.load(std::memory_order_relaxed)),
                    static_cast<double>(latest_.load(std::memory_order_relaxed))};
}

std::vector<HistoryPoint> TelemetryHistory::Series(int channel, const TimeSpan& span,
                                                   int columns) const {
    if (channel < 0 || channel >= kChannelCount) {
        return {};
    }
    const std::array<double, 256>& calibration = CalibrationTable()[channel];
    ColumnExtremes extremes(span, columns);
    const std::size_t count = Count();
    for (std::size_t first = 0; first < count; first += kBlockFrames) {
        const Block& block = BlockOf(first);
        if (block.latest.load(std::memory_order_relaxed) < span.first ||
            block.earliest.load(std::memory_order_relaxed) > span.last) {
            continue;
        }
        const std::size_t frames = std::min(kBlockFrames, count - first);
        const std::array<std::uint8_t, kBlockFrames>& raw = block.raw[channel];
        for (std::size_t i = 0; i < frames; ++i) {
            if (channel < block.held[i]) {
                extremes.Add(block.timestamps[i], calibration[raw[i]]);
            }
        }
    }
    return extremes.Points();
}

}  // namespace orvex

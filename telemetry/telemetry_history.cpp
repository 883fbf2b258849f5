#include "telemetry/telemetry_history.h"

#include <algorithm>
#include <new>

#include "telemetry/calibration.h"
#include "telemetry/column_extremes.h"

namespace orvex {

TelemetryHistory::TelemetryHistory(std::size_t capacity) : capacity_(capacity) {}

TelemetryHistory::~TelemetryHistory() = default;

void TelemetryHistory::Add(std::uint32_t timestamp, const RawChannels& raw) {
    if (count_ == capacity_ || outOfMemory_) {
        ++dropped_;
        return;
    }
    const std::size_t slot = count_ % kBlockFrames;
    if (slot == 0) {
        // A log too long for memory keeps the frames that fit and says so;
        // the rest of the load (report, export, panel) goes on.
        try {
            blocks_.push_back(std::make_unique<Block>());
        } catch (const std::bad_alloc&) {
            outOfMemory_ = true;
            ++dropped_;
            return;
        }
    }
    Block& block = *blocks_.back();
    block.timestamps[slot] = timestamp;
    block.earliest = slot == 0 ? timestamp : std::min(block.earliest, timestamp);
    block.latest = slot == 0 ? timestamp : std::max(block.latest, timestamp);
    for (int channel = 0; channel < kChannelCount; ++channel) {
        block.raw[channel][slot] = raw[channel];
    }
    earliest_ = count_ == 0 ? timestamp : std::min(earliest_, timestamp);
    latest_ = count_ == 0 ? timestamp : std::max(latest_, timestamp);
    ++count_;
}

void TelemetryHistory::Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    count_ = 0;
    dropped_ = 0;
    outOfMemory_ = false;
}

std::uint32_t TelemetryHistory::Timestamp(std::size_t index) const {
    return blocks_[index / kBlockFrames]->timestamps[index % kBlockFrames];
}

std::uint8_t TelemetryHistory::Raw(std::size_t index, int channel) const {
    return blocks_[index / kBlockFrames]->raw[channel][index % kBlockFrames];
}

std::size_t TelemetryHistory::BytesHeld() const {
    return blocks_.size() * sizeof(Block) + blocks_.capacity() * sizeof(blocks_[0]);
}

std::optional<TimeSpan> TelemetryHistory::Extent() const {
    if (count_ == 0) {
        return std::nullopt;
    }
    return TimeSpan{static_cast<double>(earliest_), static_cast<double>(latest_)};
}

std::vector<HistoryPoint> TelemetryHistory::Series(int channel, const TimeSpan& span,
                                                   int columns) const {
    if (channel < 0 || channel >= kChannelCount) {
        return {};
    }
    const std::array<double, 256>& calibration = CalibrationTable()[channel];
    ColumnExtremes extremes(span, columns);
    for (std::size_t first = 0; first < count_; first += kBlockFrames) {
        const Block& block = *blocks_[first / kBlockFrames];
        if (block.latest < span.first || block.earliest > span.last) {
            continue;
        }
        const std::size_t frames = std::min(kBlockFrames, count_ - first);
        const std::array<std::uint8_t, kBlockFrames>& raw = block.raw[channel];
        for (std::size_t i = 0; i < frames; ++i) {
            extremes.Add(block.timestamps[i], calibration[raw[i]]);
        }
    }
    return extremes.Points();
}

}  // namespace orvex

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "telemetry/channel_table.h"

namespace orvex {

struct TelemetryRecord {
    // Unsigned, so that every frame time up to 2106 keeps its value.
    std::uint32_t timestamp = 0;
    std::array<double, kChannelCount> values{};
};

// The TLM records of the current log that the window shows, numbered
// 1..100: a log's first hundred, or a live stream's newest.
class RecordStore {
public:
    static constexpr int kCapacity = 100;

    int Count() const { return count_; }
    bool IsFull() const { return count_ == kCapacity; }

    // The next record to fill; only when not full.
    TelemetryRecord& AddRecord() { return slots_[Slot(count_++)]; }
    // The next record to fill, as the last; when full, the oldest is dropped
    // and every other record moves down by one.
    TelemetryRecord& AddNewest() {
        if (!IsFull()) {
            return AddRecord();
        }
        TelemetryRecord& oldest = slots_[first_];
        first_ = Slot(1);
        return oldest;
    }

    bool HasRecord(int number) const { return number >= 1 && number <= count_; }
    // Record `number`, 1..Count().
    const TelemetryRecord& operator[](int number) const { return slots_[Slot(number - 1)]; }

private:
    // A ring, so that dropping the oldest copies nothing.
    std::size_t Slot(int index) const {
        return (first_ + static_cast<std::size_t>(index)) % kCapacity;
    }

    std::array<TelemetryRecord, kCapacity> slots_{};
    std::size_t first_ = 0;
    int count_ = 0;
};

}  // namespace orvex

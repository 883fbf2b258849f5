#pragma once

#include <array>
#include <cstdint>

#include "telemetry/channel_table.h"

namespace orvex {

struct TelemetryRecord {
    // Unsigned, so that every frame time up to 2106 keeps its value.
    std::uint32_t timestamp = 0;
    std::array<double, kChannelCount> values{};
};

// The TLM records of the current log that the window shows, numbered
// 1..100.
class RecordStore {
public:
    static constexpr int kCapacity = 100;

    int Count() const { return count_; }
    bool IsFull() const { return count_ == kCapacity; }

    // The next record to fill; only when not full.
    TelemetryRecord& AddRecord() { return slots_[count_++]; }

    bool HasRecord(int number) const { return number >= 1 && number <= count_; }
    // Record `number`, 1..Count().
    const TelemetryRecord& operator[](int number) const { return slots_[number - 1]; }

private:
    std::array<TelemetryRecord, kCapacity> slots_{};
    int count_ = 0;
};

}  // namespace orvex

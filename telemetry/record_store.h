#pragma once

#include <array>
#include <cstdint>

#include "telemetry/channel_table.h"

namespace orvex {

struct TelemetryRecord {
    // Unsigned, so that every frame time up to 2106 keeps its value.
    std::uint32_t Timestamp = 0;
    std::array<double, kChannelCount> Value{};
};

// The TLM records of the current log, slots 1..100. Slots above RecordCount
// keep whatever an earlier log left in them; readers address only 1..count.
class RecordStore {
public:
    static constexpr int kCapacity = 100;

    int RecordCount() const { return count_; }
    bool IsFull() const { return count_ == kCapacity; }
    void Clear() { count_ = 0; }

    // The next slot to fill; only when not full.
    TelemetryRecord& AddRecord() { return slots_[count_++]; }

    bool HasRecord(int number) const { return number >= 1 && number <= count_; }
    // Slot `number`, 1..RecordCount().
    const TelemetryRecord& operator[](int number) const { return slots_[number - 1]; }

private:
    std::array<TelemetryRecord, kCapacity> slots_{};
    int count_ = 0;
};

}  // namespace orvex

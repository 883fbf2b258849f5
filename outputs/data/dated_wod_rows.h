#pragma once

#include <cstdint>
#include <functional>

#include "outputs/data/data_records.h"
#include "telemetry/sorted_keys.h"

namespace orvex {

// The WOD samples of a load by their full time, for the data export: each
// distinct sample (time and raw bytes, which give distinct values) once, in
// order of time. Memory stays flat on logs of any length.
class DatedWodRows {
public:
    explicit DatedWodRows(std::size_t keysInMemory = 1 << 20) : keys_(keysInMemory) {}

    void Add(const WodRecord& sample);
    std::uint64_t Count() const { return keys_.Count(); }
    // Each distinct sample once, by time, then by raw bytes.
    void ForEachDistinct(const std::function<void(const WodRecord&)>& visit);

private:
    SortedKeyList keys_;
};

}  // namespace orvex

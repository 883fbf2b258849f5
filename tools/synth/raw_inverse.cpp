#include "tools/synth/raw_inverse.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "telemetry/calibration.h"

namespace orvex::synth {
namespace {

constexpr std::size_t kBuckets = 1024;

// A channel's 256 calibrated values in ascending order, with the raw byte of
// each, and for each of kBuckets equal steps of the value range the last
// value below the step: the search then starts at most a value or two away
// from its end. This runs 38 times per TLM frame.
struct SortedChannel {
    std::array<double, 256> value;
    std::array<std::uint8_t, 256> raw;
    double lowest;
    double bucketsPerUnit;
    std::array<std::uint8_t, kBuckets> start;
};

std::size_t BucketOf(const SortedChannel& c, double value) {
    const double position = (value - c.lowest) * c.bucketsPerUnit;
    return position <= 0 ? 0 : std::min(kBuckets - 1, static_cast<std::size_t>(position));
}

void IndexBuckets(SortedChannel& c) {
    c.lowest = c.value.front();
    c.bucketsPerUnit = kBuckets / (c.value.back() - c.lowest);
    std::size_t last = 0;
    for (std::size_t bucket = 0; bucket < kBuckets; ++bucket) {
        const double edge = c.lowest + bucket / c.bucketsPerUnit;
        while (last < 255 && c.value[last + 1] < edge) {
            ++last;
        }
        c.start[bucket] = static_cast<std::uint8_t>(last);
    }
}
using SortedCalibration = std::array<SortedChannel, kChannelCount>;

SortedCalibration SortCalibrations() {
    SortedCalibration sorted{};
    const auto& table = CalibrationTable();
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const auto& values = table[channel];
        std::array<int, 256> order;
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&values](int a, int b) { return values[a] < values[b]; });
        for (int k = 0; k < 256; ++k) {
            sorted[channel].value[k] = values[order[k]];
            sorted[channel].raw[k] = static_cast<std::uint8_t>(order[k]);
        }
        IndexBuckets(sorted[channel]);
    }
    return sorted;
}

}  // namespace

std::uint8_t RawFor(int channel, double value) {
    static const SortedCalibration kSorted = SortCalibrations();
    const SortedChannel& c = kSorted[channel];
    std::size_t low = c.start[BucketOf(c, value)];
    while (low < 255 && c.value[low + 1] < value) {
        ++low;
    }
    const std::size_t high = std::min<std::size_t>(low + 1, 255);
    return value - c.value[low] <= c.value[high] - value ? c.raw[low] : c.raw[high];
}

}  // namespace orvex::synth

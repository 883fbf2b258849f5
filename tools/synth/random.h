#pragma once

#include <cstdint>

namespace orvex::synth {

// splitmix64's step: a well-mixed 64-bit value from any 64-bit input.
constexpr std::uint64_t Mix64(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Noise that depends only on its arguments, in [0, 1). Whatever is derived
// from a moment (a WOD sample, a day's schedule) must come out the same each
// time the satellite sends it again, so it cannot draw from a running stream.
constexpr double HashUnit(std::uint64_t seed, std::uint64_t a, std::uint64_t b = 0) {
    const std::uint64_t h = Mix64(Mix64(Mix64(seed) ^ a) ^ b);
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

// xoshiro256**. Our own generator rather than <random>'s distributions,
// whose output differs between standard libraries: a seed has to give the
// same log byte for byte on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) {
        for (std::uint64_t& word : state_) {
            seed += 0x9E3779B97F4A7C15ULL;
            word = Mix64(seed);
        }
    }

    std::uint64_t Next() {
        const std::uint64_t result = Rotate(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotate(state_[3], 45);
        return result;
    }

    // [0, 1)
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    bool Chance(double probability) { return Unit() < probability; }
    // lo..hi, both included.
    int Between(int lo, int hi) {
        const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
        return lo + static_cast<int>((Next() >> 32) * span >> 32);
    }

private:
    static constexpr std::uint64_t Rotate(std::uint64_t x, int k) {
        return (x << k) | (x >> (64 - k));
    }
    std::uint64_t state_[4];
};

}  // namespace orvex::synth

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace orvex::fuzz {

// A fuzz input is a few control bytes that steer the harness, then the log.
// Seeds carry the same prefix, so mutations reach both parts.
inline constexpr std::size_t kControlBytes = 2;

struct FuzzInput {
    std::uint8_t control[kControlBytes] = {};
    std::string_view log;
};

inline FuzzInput SplitInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input;
    std::size_t i = 0;
    for (; i < kControlBytes && i < size; ++i) {
        input.control[i] = data[i];
    }
    input.log = std::string_view(reinterpret_cast<const char*>(data) + i, size - i);
    return input;
}

// A broken invariant is a crash for the fuzzer, with the reason printed.
#define ORVEX_FUZZ_CHECK(condition)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

}  // namespace orvex::fuzz

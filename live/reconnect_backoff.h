#pragma once

#include <algorithm>
#include <chrono>

namespace orvex {

// The wait before each new try of a link that was refused or lost: the
// first wait, doubled at every try up to the longest. A link that comes up
// starts again from the first.
class ReconnectBackoff {
public:
    using Duration = std::chrono::milliseconds;
    static constexpr Duration kFirst{1000};
    static constexpr Duration kLongest{30000};

    explicit ReconnectBackoff(Duration first = kFirst, Duration longest = kLongest)
        : first_(first), longest_(std::max(first, longest)), next_(first) {}

    Duration Next() {
        const Duration wait = next_;
        next_ = std::min(next_ * 2, longest_);
        return wait;
    }
    void Reset() { next_ = first_; }

private:
    Duration first_;
    Duration longest_;
    Duration next_;
};

}  // namespace orvex

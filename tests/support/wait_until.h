#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace orvex::test {

// Asks `condition` every few milliseconds until it holds or `limit` has
// passed, and says whether it held: for what a test cannot be told by a
// signal (a file another thread writes, a server's progress). The limit is
// generous, for a loaded machine; a test that passes never waits for it.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace orvex::test

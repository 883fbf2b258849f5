#pragma once

#include <chrono>
#include <functional>

namespace orvex::test {

// Handles the events of the test's thread, where the window's session takes
// what its loads found, until `condition` holds; false when `limit` passed
// first. The condition is checked after every event, so the wait ends as
// soon as the work it waits for is done.
bool HandleEventsUntil(const std::function<bool()>& condition,
                       std::chrono::milliseconds limit = std::chrono::seconds(60));

}  // namespace orvex::test

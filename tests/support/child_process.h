#pragma once

#include <functional>
#include <string>

namespace orvex::test {

// Runs `work` in a child process and says whether it passed there; the
// child prints its failures as the test's own. For a test that changes what
// the whole process shares, such as its working folder, which every thread
// and every later test would see. Only where the process runs no thread of
// its own: the child of a threaded process may find a lock held by a thread
// it does not have. A child that has not ended after a generous while is
// killed, and fails.
bool PassesInChildProcess(const std::function<void()>& work);

// `work` in a child process whose working folder is `folder`.
bool PassesInFolder(const std::string& folder, const std::function<void()>& work);

}  // namespace orvex::test

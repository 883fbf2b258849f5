#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace orvex::test {

// orvex-decode with `args`, started as a process of its own in the C locale,
// its output thrown away. `fileSizeLimit`, when not 0, is the largest file
// it may write (RLIMIT_FSIZE, with SIGXFSZ ignored so that writes fail).
pid_t StartDecode(const std::vector<std::string>& args, long fileSizeLimit = 0);

// Waits for the process, killing it after a generous deadline; its status.
int WaitFor(pid_t child);

}  // namespace orvex::test

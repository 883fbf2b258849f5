#include "tests/support/child_process.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "tests/support/wait_until.h"

namespace orvex::test {

bool PassesInChildProcess(const std::function<void()>& work) {
    // What the parent has buffered would be written again by the child.
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        ADD_FAILURE() << "cannot start a child process: " << std::strerror(errno);
        return false;
    }
    if (child == 0) {
        work();
        std::fflush(nullptr);
        // Not exit(): the child must not run the parent's exit handlers.
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    const bool ended = WaitUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; });
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        ADD_FAILURE() << "the child process did not end";
    }
    return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool PassesInFolder(const std::string& folder, const std::function<void()>& work) {
    return PassesInChildProcess([&] {
        ASSERT_EQ(::chdir(folder.c_str()), 0) << folder << ": " << std::strerror(errno);
        work();
    });
}

}  // namespace orvex::test

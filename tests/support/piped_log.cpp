#include "tests/support/piped_log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

namespace orvex::test {
namespace {

// False once the reader has gone: the write fails with EPIPE, and the
// SIGPIPE it raises is blocked in this thread.
bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

PipedLog::PipedLog(std::string path) : path_(std::move(path)) {
    EXPECT_EQ(::mkfifo(path_.c_str(), 0600), 0) << path_;
}

PipedLog::~PipedLog() {
    if (writer_.joinable()) {
        writer_.join();
    }
}

void PipedLog::Start(std::vector<Step> steps) {
    writer_ = std::thread([this, steps = std::move(steps)] {
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            return;
        }
        for (const Step& step : steps) {
            if (!WriteAll(fd, step.bytes)) {
                break;
            }
            if (step.then) {
                step.then();
            }
        }
        ::close(fd);
    });
}

}  // namespace orvex::test

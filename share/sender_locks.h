#pragma once

#include <cstdint>
#include <string>

namespace orvex {

// Which program sends a server's waiting frames, when the window and a
// command line share one queue: the one that holds the byte at the server's
// key in the lock file. The lock belongs to the open file and ends with the
// program however it ends, a kill included; two senders would send frames
// twice and out of order.
class SenderLocks {
public:
    explicit SenderLocks(std::string path) : path_(std::move(path)) {}
    ~SenderLocks();
    SenderLocks(const SenderLocks&) = delete;
    SenderLocks& operator=(const SenderLocks&) = delete;

    // 0 or the errno of the lock file's opening.
    int Open();
    // True once this program holds the server's lock; it keeps it until it
    // ends.
    bool TryHold(std::int64_t server);

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace orvex

#pragma once

#include <sys/stat.h>

#include <string_view>

namespace orvex {

// A claim on one name in one folder that every run of the programs
// respects, held without any file: an abstract Unix socket bound to a name
// made from the folder's identity and the file's name. Nothing appears in
// the folder while it is held, and the kernel frees it when the process
// ends, however it ends, so a killed run leaves no stale lock behind.
class NameLock {
public:
    NameLock() = default;
    ~NameLock() { Release(); }
    NameLock(const NameLock&) = delete;
    NameLock& operator=(const NameLock&) = delete;

    // 0, EWOULDBLOCK while any holder, in this process or another, has it,
    // or the errno of the socket.
    int Take(const struct stat& folder, std::string_view name);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace orvex

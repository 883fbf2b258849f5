#include "share/sender_locks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace orvex {

SenderLocks::~SenderLocks() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int SenderLocks::Open() {
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    return fd_ < 0 ? errno : 0;
}

bool SenderLocks::TryHold(std::int64_t server) {
    // An open file description's lock (not a process's, which any close of
    // the file by this program would drop).
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(server);
    lock.l_len = 1;
    return fd_ >= 0 && ::fcntl(fd_, F_OFD_SETLK, &lock) == 0;
}

}  // namespace orvex

#include "kiss/log_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace orvex {

FileLogSource::~FileLogSource() {
    Close();
}

int FileLogSource::Open(const std::string& path) {
    Close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd);
        return EISDIR;
    }
    fd_ = fd;
    identity_.device = info.st_dev;
    identity_.inode = info.st_ino;
    identity_.size = S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return 0;
}

void FileLogSource::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

LogSource::Result FileLogSource::Read(std::uint8_t* buffer, std::size_t capacity) {
    if (fd_ < 0) {
        return {0, EBADF};
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n >= 0) {
            return {static_cast<std::size_t>(n), 0};
        }
        if (errno != EINTR) {
            return {0, errno};
        }
    }
}

LogSource::Result MemoryLogSource::Read(std::uint8_t* buffer, std::size_t capacity) {
    const std::size_t count = std::min(capacity, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return {count, 0};
}

}  // namespace orvex

#include "outputs/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace orvex {
namespace {

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

OutputFile::~OutputFile() {
    if (fd_ >= 0) {
        Close();
    }
}

void OutputFile::ProtectFile(std::uint64_t device, std::uint64_t inode) {
    protect_ = true;
    protectedDevice_ = device;
    protectedInode_ = inode;
}

bool OutputFile::Open(const std::string& path, Mode mode) {
    if (fd_ >= 0) {
        Close();
    }
    buffer_.clear();
    reason_.clear();
    temporary_.clear();
    target_ = path;

    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && protect_ && existing.st_dev == protectedDevice_ &&
        existing.st_ino == protectedInode_) {
        reason_ = "it is the log being read, which it would replace";
        return false;
    }
    if (exists && S_ISDIR(existing.st_mode)) {
        Fail(EISDIR);
        return false;
    }

    if (mode == Mode::ReplaceAtomically && (!exists || S_ISREG(existing.st_mode))) {
        // Write the file a link points to, not over the link.
        if (exists) {
            if (char* resolved = ::realpath(path.c_str(), nullptr)) {
                target_ = resolved;
                std::free(resolved);
            }
        }
        std::string pattern = target_ + ".XXXXXX";
        fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd_ < 0) {
            Fail(errno);
            return false;
        }
        temporary_ = pattern;
        const mode_t permissions = exists ? existing.st_mode & 07777 : 0666 & ~CurrentUmask();
        ::fchmod(fd_, permissions);
        return true;
    }

    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == Mode::Append ? O_APPEND : O_TRUNC);
    fd_ = ::open(path.c_str(), flags, 0666);
    if (fd_ < 0) {
        Fail(errno);
        return false;
    }
    return true;
}

void OutputFile::Fail(int error) {
    if (reason_.empty()) {
        reason_ = std::strerror(error);
    }
}

void OutputFile::Flush() {
    if (fd_ < 0 || Failed()) {
        buffer_.clear();
        return;
    }
    const char* data = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, data, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno);
            break;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void OutputFile::Discard() {
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

void OutputFile::Reset() {
    Close();
    reason_.clear();
}

bool OutputFile::Close() {
    if (fd_ < 0) {
        return !Failed();
    }
    Flush();
    if (::close(fd_) != 0) {
        Fail(errno);
    }
    fd_ = -1;
    if (!temporary_.empty()) {
        if (!Failed() && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
            Fail(errno);
        }
        if (Failed()) {
            Discard();
        }
        temporary_.clear();
    }
    return !Failed();
}

}  // namespace orvex

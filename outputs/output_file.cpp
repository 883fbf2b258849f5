#include "outputs/output_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace orvex {
namespace {

constexpr char kLogReason[] = "it is the log being read, which it would replace";
constexpr char kNoReaderReason[] = "it is a named pipe that no program is reading";
constexpr char kReadOnlyFolderReason[] =
    "its folder is read-only, and it is only ever replaced whole, never rewritten in place";

// A file replaced under a claim this often is being replaced in a loop.
constexpr int kClaimAttempts = 16;

// The identity of `fd`, when `path` still names that file.
bool StillNamed(int fd, const std::string& path, struct stat& opened) {
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Any descriptor carries the lock; a file we may only write is opened so.
int OpenToLock(const std::string& path) {
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    const int fd = ::open(path.c_str(), O_RDONLY | flags);
    return fd < 0 && errno == EACCES ? ::open(path.c_str(), O_WRONLY | flags) : fd;
}

// The name of a replacement beside `target`, for mkostemp: hidden, so that a
// glob of the outputs never picks it up, and short enough whatever the
// target's name (NAME_MAX is 255; the dots and suffix take 8).
std::string ReplacementPattern(const std::string& target) {
    constexpr std::size_t kNameKept = 200;
    const auto slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameStart) + '.' + target.substr(nameStart, kNameKept) + ".XXXXXX";
}

std::string LinkText(const std::string& path) {
    char text[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), text, sizeof text);
    return length < 0 ? std::string() : std::string(text, static_cast<std::size_t>(length));
}

}  // namespace

OutputFile::~OutputFile() {
    if (temporary_.empty()) {
        Close();
    } else {
        Abandon();
    }
}

void OutputFile::ProtectFile(std::uint64_t device, std::uint64_t inode) {
    protect_ = true;
    protectedDevice_ = device;
    protectedInode_ = inode;
}

bool OutputFile::Claim(const std::string& path) {
    Abandon();
    reason_.clear();
    regular_ = true;
    if (!ResolveLink(path) || !LockTarget()) {
        Abandon();
        return false;
    }
    claimed_ = true;
    return true;
}

bool OutputFile::ResolveLink(const std::string& path) {
    target_ = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return true;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        if (errno == ENOENT) {
            // Writing through it would create a file wherever it points.
            reason_ = "it is a symbolic link to " + LinkText(path) + ", which does not exist";
        } else {
            Fail(errno);
        }
        return false;
    }
    target_ = resolved;
    std::free(resolved);
    return true;
}

// Locks the file the target names, or a new empty one when there is none.
// Another run may replace the file between the open and the lock, so the
// lock counts only once the target still names the locked file.
bool OutputFile::LockTarget() {
    for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
        struct stat named {};
        if (::stat(target_.c_str(), &named) == 0) {
            if (protect_ && named.st_dev == protectedDevice_ && named.st_ino == protectedInode_) {
                reason_ = kLogReason;
                return false;
            }
            if (S_ISDIR(named.st_mode)) {
                Fail(EISDIR);
                return false;
            }
            if (!S_ISREG(named.st_mode)) {
                regular_ = false;
                return true;
            }
            lockFd_ = OpenToLock(target_);
        } else if (errno == ENOENT) {
            lockFd_ =
                ::open(target_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            placeholder_ = lockFd_ >= 0;
            if (lockFd_ < 0 && errno == ENOENT) {
                Fail(ENOENT);  // its folder is missing: no retry creates it
                return false;
            }
        } else {
            Fail(errno);
            return false;
        }
        if (lockFd_ < 0) {
            if (errno == ENOENT || errno == EEXIST) {
                continue;  // removed or created meanwhile
            }
            Fail(errno);
            return false;
        }
        if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            placeholder_ = false;  // whoever holds it may be writing it
            Abandon();
            if (error == EWOULDBLOCK) {
                reason_ = kBusyReason;
            } else {
                Fail(error);
            }
            return false;
        }
        struct stat locked {};
        if (StillNamed(lockFd_, target_, locked) && S_ISREG(locked.st_mode)) {
            targetMode_ = locked.st_mode & 07777;
            return true;
        }
        placeholder_ = false;
        Abandon();
    }
    Fail(EAGAIN);
    return false;
}

bool OutputFile::Open(const std::string& path, Mode mode) {
    return (claimed_ || Claim(path)) && Open(mode);
}

bool OutputFile::Open(Mode mode) {
    if (!claimed_ || fd_ >= 0) {
        return false;
    }
    if (!regular_) {
        return OpenInPlace(0);
    }
    switch (mode) {
        case Mode::Append:
            return OpenInPlace(O_APPEND | O_NOFOLLOW);
        case Mode::ReplaceAtOpen:
            return OpenReplacement() && PutReplacementInPlace();
        case Mode::ReplaceAtClose:
            return OpenReplacement();
    }
    return false;
}

bool OutputFile::OpenInPlace(int flags) {
    // Opened without blocking so that a pipe no program reads is refused,
    // not waited for; written with blocking writes.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | flags);
    if (fd_ < 0) {
        if (errno == ENXIO) {
            reason_ = kNoReaderReason;
        } else {
            Fail(errno);
        }
        return false;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    placeholder_ = false;
    return true;
}

bool OutputFile::OpenReplacement() {
    std::string pattern = ReplacementPattern(target_);
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == EACCES) {
            reason_ = kReadOnlyFolderReason;
        } else {
            Fail(errno);
        }
        return false;
    }
    temporary_ = pattern;
    if (::fchmod(fd_, targetMode_) != 0) {
        Fail(errno);
        return false;
    }
    return true;
}

// The new file is locked before it takes the name, so that no other run
// finds it unlocked while it grows.
bool OutputFile::PutReplacementInPlace() {
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 ||
        ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Fail(errno);
        return false;
    }
    temporary_.clear();
    placeholder_ = false;
    ::close(lockFd_);
    lockFd_ = -1;
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

bool OutputFile::Close() {
    if (fd_ >= 0) {
        Flush();
        if (::close(fd_) != 0) {
            Fail(errno);
        }
        fd_ = -1;
    }
    if (!temporary_.empty() && !Failed()) {
        if (::rename(temporary_.c_str(), target_.c_str()) == 0) {
            temporary_.clear();
            placeholder_ = false;
        } else {
            Fail(errno);
        }
    }
    Abandon();
    return !Failed();
}

void OutputFile::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    if (lockFd_ >= 0) {
        // Removed while still locked, so that no other run takes it meanwhile.
        struct stat locked {};
        if (placeholder_ && StillNamed(lockFd_, target_, locked)) {
            ::unlink(target_.c_str());
        }
        ::close(lockFd_);
        lockFd_ = -1;
    }
    placeholder_ = false;
    claimed_ = false;
    buffer_.clear();
}

}  // namespace orvex

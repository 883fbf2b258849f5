#include "outputs/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvex {
namespace {

constexpr char kLogReason[] = "it is the log being read, which it would replace";
constexpr char kNoReaderReason[] = "it is a named pipe that no program is reading";
constexpr char kReadOnlyFolderReason[] =
    "its folder is read-only, and it is only ever replaced whole, never rewritten in place";
constexpr char kPartSuffix[] = ".orvex-part";

std::string::size_type NameStart(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string FolderOf(const std::string& path) {
    const auto nameStart = NameStart(path);
    return nameStart == 0 ? "." : path.substr(0, nameStart);
}

std::string LinkText(const std::string& path) {
    char text[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), text, sizeof text);
    return length < 0 ? std::string() : std::string(text, static_cast<std::size_t>(length));
}

// O_TMPFILE's errors where the kernel or the file system has no unnamed files.
bool NoUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Gives the unnamed file `fd` the name `path`, which must be free: through
// /proc, which any user may, or, where /proc is missing, by the descriptor
// itself, which needs the right to read any file. 0 or errno.
int LinkUnnamed(int fd, const std::string& path) {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    if (errno == ENOENT && ::access("/proc/self/fd", F_OK) != 0 &&
        ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) {
        return 0;
    }
    return errno;
}

}  // namespace

std::string OutputFile::PartName(const std::string& target) {
    // NAME_MAX is 255: a long name is cut and told apart by its hash.
    constexpr std::size_t kNameKept = 200;
    const auto nameStart = NameStart(target);
    std::string part = target.substr(0, nameStart) + '.';
    const std::string_view name = std::string_view(target).substr(nameStart);
    part += name.substr(0, kNameKept);
    if (name.size() > kNameKept) {
        char hash[24];
        std::snprintf(hash, sizeof hash, "~%016llx",
                      static_cast<unsigned long long>(XXH3_64bits(name.data(), name.size())));
        part += hash;
    }
    return part + kPartSuffix;
}

OutputFile::~OutputFile() {
    if (inPlace_) {
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
    if (!ResolveLink(path) || !CheckTarget() || (regular_ && !LockName())) {
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

bool OutputFile::CheckTarget() {
    struct stat named {};
    if (::stat(target_.c_str(), &named) != 0) {
        if (errno == ENOENT) {
            return true;  // a new file; a missing folder is told by the lock
        }
        Fail(errno);
        return false;
    }
    if (protect_ && named.st_dev == protectedDevice_ && named.st_ino == protectedInode_) {
        reason_ = kLogReason;
        return false;
    }
    if (S_ISDIR(named.st_mode)) {
        Fail(EISDIR);
        return false;
    }
    regular_ = S_ISREG(named.st_mode);
    return true;
}

// The name is locked in its folder, so the lock holds across the earlier
// file's replacement and for a file not made yet. What a killed run left
// under the part name is nobody's once the lock is ours.
bool OutputFile::LockName() {
    struct stat folder {};
    if (::stat(FolderOf(target_).c_str(), &folder) != 0) {
        Fail(errno);
        return false;
    }
    const int error = lock_.Take(folder, std::string_view(target_).substr(NameStart(target_)));
    if (error == EWOULDBLOCK) {
        reason_ = kBusyReason;
        return false;
    }
    if (error != 0) {
        Fail(error);
        return false;
    }
    ::unlink(PartName(target_).c_str());
    return true;
}

bool OutputFile::Open(const std::string& path, Mode mode) {
    return (claimed_ || Claim(path)) && Open(mode);
}

bool OutputFile::Open(Mode mode) {
    if (!claimed_ || fd_ >= 0) {
        return false;
    }
    if (!regular_) {
        return OpenInPlace();
    }
    if (!OpenReplacement()) {
        return false;
    }
    switch (mode) {
        case Mode::ReplaceAtClose:
            return true;
        case Mode::ExtendAtClose:
            return CopyEarlierFile();
        case Mode::ReplaceAtOpen:
            inPlace_ = PutInPlace();
            return inPlace_;
    }
    return false;
}

bool OutputFile::OpenInPlace() {
    // Opened without blocking so that a pipe no program reads is refused,
    // not waited for; written with blocking writes.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == ENXIO) {
            reason_ = kNoReaderReason;
        } else {
            Fail(errno);
        }
        return false;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    inPlace_ = true;
    return true;
}

bool OutputFile::OpenReplacement() {
    fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ < 0 && NoUnnamedFiles(errno)) {
        part_ = PartName(target_);
        fd_ = ::open(part_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            part_.clear();
        }
    }
    if (fd_ < 0) {
        if (errno == EACCES) {
            reason_ = kReadOnlyFolderReason;
        } else {
            Fail(errno);
        }
        return false;
    }
    struct stat earlier {};
    if (::stat(target_.c_str(), &earlier) == 0 && ::fchmod(fd_, earlier.st_mode & 07777) != 0) {
        Fail(errno);
        return false;
    }
    return true;
}

bool OutputFile::CopyEarlierFile() {
    const int earlier = ::open(target_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (earlier < 0) {
        if (errno == ENOENT) {
            return true;
        }
        Fail(errno);
        return false;
    }
    ssize_t copied = 0;
    do {
        copied = ::copy_file_range(earlier, nullptr, fd_, nullptr, kFlushSize, 0);
    } while (copied > 0);
    if (copied < 0) {
        Fail(errno);
    }
    ::close(earlier);
    return !Failed();
}

// The new file takes the name: straight away when the name is free, else
// under its part name and renamed over the earlier file.
bool OutputFile::PutInPlace() {
    if (part_.empty()) {
        int error = LinkUnnamed(fd_, target_);
        if (error == EEXIST) {
            part_ = PartName(target_);
            error = LinkUnnamed(fd_, part_);
            if (error != 0) {
                part_.clear();
            }
        }
        if (error != 0) {
            Fail(error);
            return false;
        }
    }
    if (!part_.empty() && ::rename(part_.c_str(), target_.c_str()) != 0) {
        Fail(errno);
        return false;
    }
    part_.clear();
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
        if (!inPlace_ && !Failed()) {
            PutInPlace();
        }
        if (::close(fd_) != 0) {
            Fail(errno);
        }
        fd_ = -1;
    }
    Abandon();
    return !Failed();
}

void OutputFile::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!part_.empty()) {
        ::unlink(part_.c_str());
        part_.clear();
    }
    lock_.Release();
    claimed_ = false;
    inPlace_ = false;
    buffer_.clear();
}

}  // namespace orvex

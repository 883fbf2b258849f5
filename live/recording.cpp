#include "live/recording.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace orvex {
namespace {

constexpr int kMostSameSecond = 100;

// The folder's absolute form, links resolved, so that the recording's name
// in its report is the one it is found by later.
std::string AbsoluteFolder(const std::string& folder, int& error) {
    char* resolved = ::realpath(folder.c_str(), nullptr);
    if (resolved == nullptr) {
        error = errno;
        return {};
    }
    std::string absolute = resolved;
    std::free(resolved);
    if (absolute.back() != '/') {
        absolute += '/';
    }
    return absolute;
}

}  // namespace

Recording::~Recording() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string Recording::NameFor(std::time_t began) {
    std::tm utc{};
    ::gmtime_r(&began, &utc);
    std::array<char, 32> name{};
    std::strftime(name.data(), name.size(), "orvex-%Y%m%d-%H%M%S", &utc);
    return std::string(name.data()) + ".kss";
}

int Recording::PlanIn(const std::string& folder) {
    int error = 0;
    folder_ = AbsoluteFolder(folder, error);
    planned_ = folder;
    path_.clear();
    return error;
}

int Recording::PlanFile(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    int error = PlanIn(slash == std::string::npos ? "." : path.substr(0, slash + 1));
    planned_ = path;
    if (error == 0) {
        path_ = folder_ + path.substr(slash + 1);
        struct stat existing {};
        error = ::lstat(path_.c_str(), &existing) == 0 ? EEXIST : 0;
    }
    return error;
}

int Recording::Begin(std::time_t began) {
    if (Begun()) {
        return 0;
    }
    if (!path_.empty()) {
        return CreateNew(path_);
    }
    const std::string name = NameFor(began);
    const std::string stem = name.substr(0, name.size() - 4);
    int error = CreateNew(folder_ + name);
    for (int copy = 2; error == EEXIST && copy <= kMostSameSecond; ++copy) {
        error = CreateNew(folder_ + stem + '-' + std::to_string(copy) + ".kss");
    }
    return error;
}

int Recording::CreateIn(const std::string& folder, std::time_t began) {
    const int error = PlanIn(folder);
    return error != 0 ? error : Begin(began);
}

int Recording::Create(const std::string& path) {
    const int error = PlanFile(path);
    return error != 0 ? error : Begin(0);
}

int Recording::CreateNew(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno;
    }
    struct stat info {};
    ::fstat(fd, &info);
    identity_ = {info.st_dev, info.st_ino, 0};
    fd_ = fd;
    path_ = path;
    return 0;
}

void Recording::Append(const std::uint8_t* bytes, std::size_t count) {
    received_ += count;
    while (count > 0 && error_ == 0) {
        const ssize_t written = ::write(fd_, bytes, count);
        if (written < 0) {
            if (errno != EINTR) {
                error_ = errno;
                if (tellFailure_) {
                    tellFailure_(error_);
                }
            }
            continue;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
        recorded_ += static_cast<std::uint64_t>(written);
    }
}

}  // namespace orvex

#include "outputs/name_lock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xxhash.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace orvex {
namespace {

// The socket's name: the file's name may be 255 bytes, an abstract socket's
// 107, so the folder and the name are hashed; 128 bits leave no collision
// to fear among the files of a machine.
std::string SocketName(const struct stat& folder, std::string_view name) {
    std::string key;
    key.append(reinterpret_cast<const char*>(&folder.st_dev), sizeof folder.st_dev);
    key.append(reinterpret_cast<const char*>(&folder.st_ino), sizeof folder.st_ino);
    key.append(name);
    const XXH128_hash_t hash = XXH3_128bits(key.data(), key.size());
    char text[64];
    std::snprintf(text, sizeof text, "orvex-output-%016llx%016llx",
                  static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return text;
}

}  // namespace

int NameLock::Take(const struct stat& folder, std::string_view name) {
    Release();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return errno;
    }
    const std::string socketName = SocketName(folder, name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // An abstract name starts with a NUL byte and lives in no file system.
    std::memcpy(address.sun_path + 1, socketName.data(), socketName.size());
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + socketName.size());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EADDRINUSE ? EWOULDBLOCK : error;
    }
    fd_ = fd;
    return 0;
}

void NameLock::Release() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace orvex

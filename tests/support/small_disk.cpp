#include "tests/support/small_disk.h"

#include <sys/mount.h>

#include <filesystem>

namespace orvex::test {

SmallDisk::SmallDisk(std::string path, std::uint64_t bytes) : path_(std::move(path)) {
    std::filesystem::create_directories(path_);
    mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                       ("size=" + std::to_string(bytes)).c_str()) == 0;
}

SmallDisk::~SmallDisk() {
    if (mounted_) {
        ::umount2(path_.c_str(), MNT_DETACH);
    }
}

}  // namespace orvex::test

#pragma once

#include <cstdint>
#include <string>

namespace orvex::test {

// A folder on a file system of `bytes`, created and mounted for the test
// where this run may mount one (as root); else Mounted() is false and the
// folder is an ordinary one. Unmounted when destroyed.
class SmallDisk {
public:
    SmallDisk(std::string path, std::uint64_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }

private:
    std::string path_;
    bool mounted_ = false;
};

}  // namespace orvex::test

#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

namespace orvex::test {

// Makes `path` the working folder for the life of the object, so that a
// report named without a folder lands in a scratch place.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& path) {
        char previous[PATH_MAX];
        if (::getcwd(previous, sizeof previous) != nullptr) {
            previous_ = previous;
        }
        EXPECT_EQ(::chdir(path.c_str()), 0) << path;
    }
    ~WorkingFolder() { EXPECT_EQ(::chdir(previous_.c_str()), 0) << previous_; }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::string previous_ = "/";
};

}  // namespace orvex::test

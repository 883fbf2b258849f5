#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace orvex::test {

// Permissions do not stop root. While this lives, a test run as root acts as
// the user "nobody", so that a read-only folder is read-only for it too; for
// any other user it does nothing.
class UnprivilegedUser {
public:
    static constexpr uid_t kNobody = 65534;

    UnprivilegedUser() {
        if (::geteuid() == 0) {
            EXPECT_EQ(::seteuid(kNobody), 0);
            switched_ = true;
        }
    }
    ~UnprivilegedUser() {
        if (switched_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    // Whether the user acted as can reach `path` at all: a folder above it
    // may be closed to others (a chroot made in a private folder is), and
    // then no permission of the test's own can be tried.
    bool Reaches(const std::string& path) const {
        return !switched_ || ::faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) == 0;
    }

    UnprivilegedUser(const UnprivilegedUser&) = delete;
    UnprivilegedUser& operator=(const UnprivilegedUser&) = delete;

    // Before the switch: gives `path` to the user the test will act as, with
    // `mode`.
    static void Give(const std::string& path, mode_t mode) {
        if (::geteuid() == 0) {
            EXPECT_EQ(::chown(path.c_str(), kNobody, static_cast<gid_t>(-1)), 0) << path;
        }
        EXPECT_EQ(::chmod(path.c_str(), mode), 0) << path;
    }

private:
    bool switched_ = false;
};

}  // namespace orvex::test

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace orvex::test {

// A throwaway PostgreSQL cluster in a temporary folder, reached only through
// a Unix socket there. PostgreSQL refuses to run as root, so under root (as
// in CI) it runs as the user "nobody".
//
// CTest runs every test in a process of its own, and a cluster takes seconds
// to make: so CTest's fixture starts one for the whole run in the folder that
// ORVEX_TEST_POSTGRES names (`orvex-test-postgres start|stop FOLDER`), and
// the tests only add databases to it. A test program run by hand starts its
// own on first use and stops it when its tests end.
class PostgresCluster {
public:
    // The one cluster of the test program.
    static PostgresCluster& Shared();
    // The fixture's ends: a cluster in `folder` that outlives this process
    // (false, and why, when it cannot start), and its stop and removal.
    static bool StartIn(const std::string& folder, std::string& why);
    static void StopIn(const std::string& folder);
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // Empty when it runs; else why not, for a skipped test.
    const std::string& Unavailable() const { return unavailable_; }
    // A new empty database: "postgresql:host=FOLDER user=orvex dbname=NAME".
    std::string NewDatabase();
    // Stops it and removes its files.
    void Stop();

private:
    PostgresCluster();
    explicit PostgresCluster(std::string runningIn);

    std::unique_ptr<TempFolder> owned_;  // none when the fixture's is used
    std::string folder_;
    std::string unavailable_;
    bool running_ = false;
    int databases_ = 0;
};

}  // namespace orvex::test

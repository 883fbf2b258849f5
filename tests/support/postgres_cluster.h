#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace orvex::test {

// A throwaway PostgreSQL cluster in a temporary folder, reached only through
// a Unix socket there, started on first use and stopped when the tests end.
// PostgreSQL refuses to run as root, so under root (as in CI) it runs as the
// user "nobody".
class PostgresCluster {
public:
    // The one cluster of the test program.
    static PostgresCluster& Shared();
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
    bool RunTool(const std::string& tool, const std::vector<std::string>& args);

    std::string bin_;  // the folder of initdb and pg_ctl
    std::unique_ptr<TempFolder> folder_;
    std::string unavailable_;
    bool running_ = false;
    int databases_ = 0;
};

}  // namespace orvex::test

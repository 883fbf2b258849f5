// orvex-test-postgres start|stop FOLDER: CTest's fixture that gives every
// test of a run one PostgreSQL cluster. A machine without PostgreSQL is not
// a failure here: the tests that need it say so and skip.
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/postgres_cluster.h"

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "start") != 0 && std::strcmp(argv[1], "stop") != 0)) {
        std::fprintf(stderr, "usage: %s start|stop FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[2];
    if (std::strcmp(argv[1], "stop") == 0) {
        orvex::test::PostgresCluster::StopIn(folder);
        return 0;
    }
    std::string why;
    if (!orvex::test::PostgresCluster::StartIn(folder, why)) {
        std::printf("no shared PostgreSQL cluster: %s\n", why.c_str());
    }
    return 0;
}

#pragma once

#include <ostream>
#include <string>

#include "tests/support/postgres_cluster.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {

// The archive tests run on both engines.
enum class Engine { Sqlite, Postgres };

inline void PrintTo(Engine engine, std::ostream* out) {
    *out << (engine == Engine::Sqlite ? "SQLite" : "PostgreSQL");
}

// Why a test on `engine` cannot run here, to skip it with; "" when it can.
inline std::string WhyNotOn(Engine engine) {
    if (engine != Engine::Postgres || PostgresCluster::Shared().Unavailable().empty()) {
        return {};
    }
    return "No PostgreSQL to test on: " + PostgresCluster::Shared().Unavailable();
}

// A new, empty archive's location on `engine`: a database of the test
// cluster, or a file in `folder`.
inline std::string NewArchive(Engine engine, const TempFolder& folder) {
    return engine == Engine::Postgres ? PostgresCluster::Shared().NewDatabase()
                                      : folder / "archive.sqlite";
}

}  // namespace orvex::test

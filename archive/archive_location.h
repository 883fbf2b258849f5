#pragma once

#include <string>

namespace orvex {

// Where the archive lives: a SQLite file on this machine, or a PostgreSQL
// database a group of stations shares, named by libpq's "key=value"
// connection parameters.
struct ArchiveLocation {
    enum class Engine { Sqlite, Postgres };
    Engine engine = Engine::Sqlite;
    std::string target;  // the file's path, or the connection parameters

    // "/home/ann/.local/share/orvex/archive.sqlite",
    // "postgresql:host=db.club.org dbname=orvex user=ann"
    std::string Shown() const;
};

inline constexpr char kPostgresPrefix[] = "postgresql:";

// "postgresql:PARAMETERS" names a PostgreSQL database; anything else a SQLite
// file.
ArchiveLocation ParseArchiveLocation(const std::string& text);

// The per-user data folder's orvex/archive.sqlite.
ArchiveLocation DefaultArchiveLocation();

}  // namespace orvex

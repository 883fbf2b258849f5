#pragma once

#include <string>

namespace orvex {

// Where the archive lives: a SQLite file on this machine, or a PostgreSQL
// database a group of stations shares, named by a libpq connection string.
struct ArchiveLocation {
    enum class Engine { Sqlite, Postgres };
    Engine engine = Engine::Sqlite;
    // The file's path, or the connection string: "key=value ..." parameters
    // or a postgresql:// URI, as libpq reads them.
    std::string target;

    // "/home/ann/.local/share/orvex/archive.sqlite",
    // "postgresql:host=db.club.org dbname=orvex user=ann": never a password.
    std::string Shown() const;
};

inline constexpr char kPostgresPrefix[] = "postgresql:";

// "postgresql:PARAMETERS", and URIs that begin "postgresql://" or
// "postgres://", name a PostgreSQL database; anything else a SQLite file.
ArchiveLocation ParseArchiveLocation(const std::string& text);

// The per-user data folder's orvex/archive.sqlite.
ArchiveLocation DefaultArchiveLocation();

}  // namespace orvex

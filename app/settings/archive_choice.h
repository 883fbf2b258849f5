#pragma once

#include <QString>

#include "archive/archive_location.h"

namespace orvex {

// Settings > Archive: whether every log opened and every stream followed is
// added to the archive, which archive, and the station named as their
// hearer. Remembered for the next run.
struct ArchiveChoice {
    bool enabled = false;
    // A SQLite file's path, or "postgresql:" and the connection parameters.
    QString location;
    QString station;

    // The last choice, or off, the per-user SQLite file and this host's name.
    static ArchiveChoice Remembered();
    void Remember() const;

    // A file or a database named, and a station.
    bool IsComplete() const;
    ArchiveLocation Location() const;
};

}  // namespace orvex

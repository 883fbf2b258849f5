#pragma once

#include <string>

#include "archive/archive_database.h"
#include "archive/known_frames.h"

namespace orvex {

// The archive a program run adds its loads to, the station that heard
// them, and what the run knows of the archive's frames, kept from one load
// to the next.
struct ArchiveTarget {
    ArchiveDatabase& database;
    std::string station;
    KnownFrames known{};
};

}  // namespace orvex

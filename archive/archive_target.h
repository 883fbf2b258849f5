#pragma once

#include <string>

#include "archive/archive_database.h"

namespace orvex {

// The archive a program run adds its loads to, and the station that heard
// them.
struct ArchiveTarget {
    ArchiveDatabase& database;
    std::string station;
};

}  // namespace orvex

#pragma once

#include <memory>
#include <string>

#include "archive/archive_database.h"
#include "archive/archive_session.h"

namespace orvex {

// The archive a program run adds its loads to, the station that heard
// them, and the session that writes them, with what the run knows of the
// archive's frames, kept from one load to the next (made by the first).
struct ArchiveTarget {
    ArchiveDatabase& database;
    std::string station;
    std::unique_ptr<ArchiveSession> session{};
};

}  // namespace orvex

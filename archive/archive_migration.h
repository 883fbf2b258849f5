#pragma once

#include <cstdint>
#include <optional>

namespace orvex {

class ArchiveDatabase;

// What moving an archive of an earlier version to this one's tables did.
struct ArchiveMigration {
    int fromVersion = 0;
    std::uint64_t frames = 0;
    std::uint64_t receptions = 0;
};

// Moves an archive of version 2, 3 or 4 to this version's tables, within
// the open transaction: every log, every frame with its time and number,
// every hearing of it; from 2 and 3, what is kept beside the frames is made
// again from their bytes, and the old tables go. Nothing, with the reason noted, when it
// cannot, or knows no way from `from`.
std::optional<ArchiveMigration> MigrateArchive(ArchiveDatabase& database, int from);

}  // namespace orvex

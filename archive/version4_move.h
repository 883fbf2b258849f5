#pragma once

#include "archive/archive_migration.h"

namespace orvex {

class ArchiveDatabase;

// Moves an archive of version 4 to version 5's frame_store and
// reception_store, within the open transaction: each frame's first hearing
// goes into its row, its digest gives way to the check, and the views are
// made again; the other tables stay as they are. False with the reason
// noted when it cannot.
bool MoveVersion4(ArchiveDatabase& database, ArchiveMigration& moved);

}  // namespace orvex

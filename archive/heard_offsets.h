#pragma once

#include <cstdint>
#include <vector>

#include "archive/archive_database.h"

namespace orvex {

// Where in one station's log the archive holds a hearing already: adding
// the log again adds only the hearings it lacks.
class HeardOffsets {
public:
    explicit HeardOffsets(std::int64_t logId) : logId_(logId) {}

    std::int64_t LogId() const { return logId_; }

    // Reads the log's blocks written since the last call; false (the
    // database's error noted) when they cannot be read.
    bool CatchUp(ArchiveDatabase& database);
    // Whether an earlier load of the log, or another writer of it, stored
    // a hearing at `offset`. A load's own hearings are not kept: its
    // offsets only grow.
    bool Heard(std::uint64_t offset) const;
    // This load's block was stored as `block`.
    void Stored(std::int64_t block);

private:
    std::int64_t logId_;
    std::vector<std::uint64_t> heard_;  // sorted
    std::int64_t lastBlock_ = 0;
};

}  // namespace orvex

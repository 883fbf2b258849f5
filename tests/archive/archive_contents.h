#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_database.h"

namespace orvex::test {

// The archive's frames and hearings, read through its views as anyone
// would read them.
struct ArchiveContents {
    struct StoredFrame {
        std::string bytes;  // as the KISS reader gave them, the FEND first
        std::optional<std::uint32_t> time;
        bool ownTime = false;
    };
    struct Heard {
        std::string station;
        std::string log;
        std::uint64_t offset = 0;
        std::size_t frame = 0;  // in `frames`
    };
    std::vector<StoredFrame> frames;  // in the order they were stored
    std::vector<Heard> hearings;      // by log as first stored, then by offset

    // How many frames were heard exactly `count` times.
    std::size_t FramesHeard(std::size_t count) const;
};

ArchiveContents ReadArchiveContents(ArchiveDatabase& database);

}  // namespace orvex::test

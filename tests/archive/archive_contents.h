#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_database.h"

namespace orvex::test {

// The archive's frames and hearings unpacked from its blocks, as a test
// reads them.
struct ArchiveContents {
    struct StoredFrame {
        std::string bytes;  // as the KISS reader gave them, the command byte first
        std::optional<std::uint32_t> time;
        bool timeExact = false;
    };
    struct Heard {
        std::string station;
        std::uint64_t offset = 0;
        std::size_t frame = 0;  // in `frames`
    };
    std::vector<StoredFrame> frames;
    std::vector<Heard> hearings;

    // How many frames were heard exactly `count` times.
    std::size_t FramesHeard(std::size_t count) const;
};

ArchiveContents ReadArchiveContents(ArchiveDatabase& database);

}  // namespace orvex::test

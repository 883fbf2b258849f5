#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_counts.h"
#include "load/log_account.h"
#include "outputs/file_problem.h"

namespace orvex {

// What one load did, for the window's messages and the command line's lines.
struct LoadOutcome {
    bool ran = false;                       // false after a cancel, a refused log or while busy
    bool stopped = false;                   // asked to stop during the load
    std::uint64_t framesRead = 0;           // frames the reader delivered, decoded or not
    std::uint64_t framesDecoded = 0;        // of those, the frames of a known type
    std::uint64_t records = 0;              // TLM frames decoded
    std::uint64_t tlmFramesNotCharted = 0;  // beyond the memory of the window's history
    std::uint64_t wodRows = 0;              // WOD rows as decoded
    std::optional<std::uint64_t> wodRowsExported;  // distinct rows written
    std::optional<std::string> reportPath;         // set when the report was written
    std::optional<std::string> exportPath;         // set when the export was written
    std::vector<std::string> dataPaths;            // set when the data files were written
    LogAccount account;                            // what was not a good frame
    std::optional<ArchiveCounts> archived;         // set when the log went to the archive
    std::vector<FileProblem> problems;
};

}  // namespace orvex

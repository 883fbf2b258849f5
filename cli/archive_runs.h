#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "archive/archive_database.h"
#include "archive/archive_history.h"
#include "outputs/data/data_options.h"

namespace orvex {

class StopSignals;

// The archive named by --archive (empty: the default one, whose folder is
// made), opened; null after telling on `err` why it cannot be.
std::unique_ptr<ArchiveDatabase> OpenArchive(const std::string& given, std::ostream& err);

// The station named by --station, or this host's name.
std::string StationName(const std::optional<std::string>& given);

// FROM and TO as UTC times: "2009-05-01T06:00:00" or a date alone, which as
// TO stands for the end of its day. Nothing when either is not such a time.
std::optional<ArchiveSpan> ParseArchiveSpan(const std::string& from, const std::string& to);

// --export-range: writes the data files of the archive's frames in the span
// into the folder, named archive.KIND.EXT. A stop signal ends it with the
// earlier files as they were. Returns the exit code.
int ExportArchiveRange(ArchiveDatabase& database, ArchiveSpan span,
                       const DataExportOptions& options, const StopSignals& stop, std::ostream& out,
                       std::ostream& err);

}  // namespace orvex

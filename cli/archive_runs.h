#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "archive/archive_database.h"
#include "archive/archived_extremes.h"
#include "outputs/data/data_options.h"

namespace orvex {

class StopSignals;

// The archive named by --archive (empty: the default one, whose folder is
// made), opened, and what moving it to this version's tables did told on
// `err`; null after telling on `err` why it cannot be.
std::unique_ptr<ArchiveDatabase> OpenArchive(const std::string& given, std::ostream& err);

// --archive alone: says that the archive is ready. Returns the exit code.
int TellArchiveReady(const ArchiveDatabase& database, std::ostream& out);

// The station named by --station, or this host's name.
std::string StationName(const std::optional<std::string>& given);

// FROM and TO as UTC times: "2009-05-01T06:00:00" (a "Z" may follow) or a
// date alone, which as TO stands for the end of its day. Nothing, with the
// usage error in `problem`, when either is not such a time or FROM is later
// than TO.
std::optional<ArchiveSpan> ParseArchiveSpan(const std::string& from, const std::string& to,
                                            std::string& problem);

// --export-range: writes the data files of the archive's frames in the span
// into the folder, named archive.KIND.EXT, the frames file naming the
// station and the log that first heard each frame. A frame whose bytes were
// damaged since they were stored is named and left out. A stop signal ends
// it with the earlier files as they were. Returns the exit code.
int ExportArchiveRange(ArchiveDatabase& database, ArchiveSpan span,
                       const DataExportOptions& options, const StopSignals& stop, std::ostream& out,
                       std::ostream& err);

}  // namespace orvex

#pragma once

#include <optional>
#include <string>

#include "kiss/log_source.h"
#include "outputs/file_problem.h"

namespace orvex {

class WodRowList;

// The export's header line: "Time;" and the ten WOD channel names, each
// followed by ';'.
std::string WodExportHeader();

// Writes the rows, free of repeats, to `path`. The file replaces an earlier
// export only once it is complete; the log's identity keeps the export from
// replacing the log.
std::optional<FileProblem> ExportWodFile(const std::string& path, WodRowList& rows,
                                         const FileIdentity& log);

}  // namespace orvex

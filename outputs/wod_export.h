#pragma once

#include <optional>
#include <string>

#include "kiss/log_source.h"
#include "outputs/file_problem.h"
#include "outputs/output_file.h"

namespace orvex {

class WodRowList;

// The export's header line: "Time;" and the ten WOD channel names, each
// followed by ';'.
std::string WodExportHeader();

// The WOD export of one load, claimed when the load starts (see OutputFile)
// and written at its end. The file replaces an earlier export only once it
// is complete; the log's identity keeps it from replacing the log.
class WodExportFile {
public:
    WodExportFile(std::string path, const FileIdentity& log);

    // False only when another run holds the file; any other failure is told
    // by Write.
    bool Claim();
    // Gives up the claim and leaves an earlier export as it was.
    void Abandon() { file_.Abandon(); }
    // Writes the rows, free of repeats.
    std::optional<FileProblem> Write(WodRowList& rows);

    FileProblem Problem() const;
    const std::string& Path() const { return path_; }

private:
    OutputFile file_;
    std::string path_;
};

}  // namespace orvex

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kiss/log_source.h"
#include "outputs/file_problem.h"
#include "outputs/output_file.h"

namespace orvex {

// The report's 18 header lines.
std::string ReportHeader(const std::string& logPath);

// The report file of one load. Blocks are appended to Out() and ended with
// EndBlock; the file is opened at the first block (extending the earlier
// report, as a report that was not created when the log was opened is) and
// kept open to the end of the load, so the bytes are those of one
// open-append-close per block. A log's report takes its name whole at
// Finish; a live stream's grows under its name, to be followed.
class ReportFile {
public:
    // The log's identity keeps the report from replacing the log.
    ReportFile(std::string path, const FileIdentity& log);

    // Claims the file for the whole load (see OutputFile); false only when
    // another run holds it. Any other failure is told by Finish.
    bool Claim();
    // What went wrong with the file, for the user.
    FileProblem Problem() const;
    // Gives up the claim without writing anything.
    void Abandon() { file_.Abandon(); }

    // A new file that starts with the header, to replace the earlier one:
    // at Finish, or at once when it `growsInPlace`.
    void Create(std::string_view header, bool growsInPlace);

    std::string& Out();
    // `toDisk` writes the block out at once rather than when the buffer fills.
    void EndBlock(bool toDisk = false);

    // Closes the file; the first failure of the load, if any.
    std::optional<FileProblem> Finish();

    const std::string& Path() const { return path_; }
    bool Written() const { return written_; }

private:
    bool EnsureOpen(OutputFile::Mode mode);

    OutputFile file_;
    std::string path_;
    std::string discarded_;  // blocks of a report that cannot be written
    bool failed_ = false;
    bool written_ = false;
};

}  // namespace orvex

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "input/file_problem.h"
#include "input/output_file.h"
#include "telemetry/channel_table.h"

namespace orvex {

// The log path up to and including its first dot, then the extension; the
// dot is searched over the whole path, folders included. No dot: the bare
// extension, a file in the working folder.
std::string NameBesideLog(const std::string& logPath, std::string_view extension);

// The report's 18 header lines.
std::string ReportHeader(const std::string& logPath, const ChannelTable& channels,
                         const WodChannelList& wodChannels);

// The report of one load. Decoders append a block to Out() and call EndBlock;
// the file is opened at the first block (for appending, as a report that was
// not created at the Open command is extended) and kept open until the end
// of the load, so the bytes on disk are those of one open-append-close per
// block.
class ReportWriter {
public:
    // The report's name for this load; the log's identity keeps the report
    // from replacing the log.
    void StartLoad(const std::string& path, std::uint64_t logDevice, std::uint64_t logInode);
    // Creates or empties the file and writes the header.
    void Create(std::string_view header);

    std::string& Out();
    void EndBlock();

    // Closes the file; the first failure of the load, if any.
    std::optional<FileProblem> FinishLoad();

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

#pragma once

#include <string>

namespace orvex {

// A file that could not be read or written, for the user: what was being
// done, with which file, and why.
struct FileProblem {
    enum class Action {
        OpenLog,
        ReadLog,
        RecordLog,
        WriteReport,
        WriteExport,
        WriteData,
        WriteArchive
    };
    Action action = Action::OpenLog;
    std::string path;    // in the file system's encoding
    std::string reason;  // strerror text, or our own

    // "Cannot write the report /logs/orbit.tlm: No space left on device"
    std::string Message() const;
};

FileProblem ProblemFromErrno(FileProblem::Action action, const std::string& path, int error);

}  // namespace orvex

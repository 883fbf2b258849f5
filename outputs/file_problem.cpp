#include "outputs/file_problem.h"

#include <cstring>

namespace orvex {

std::string FileProblem::Message() const {
    const char* what = "";
    switch (action) {
        case Action::OpenLog:
            what = "Cannot open the log ";
            break;
        case Action::ReadLog:
            what = "Cannot read the log ";
            break;
        case Action::RecordLog:
            what = "Cannot record the log ";
            break;
        case Action::WriteReport:
            what = "Cannot write the report ";
            break;
        case Action::WriteExport:
            what = "Cannot write the WOD export ";
            break;
        case Action::WriteData:
            what = "Cannot write the data file ";
            break;
        case Action::WriteArchive:
            what = "Cannot add the log to the archive ";
            break;
    }
    return what + path + ": " + reason;
}

FileProblem ProblemFromErrno(FileProblem::Action action, const std::string& path, int error) {
    return {action, path, std::strerror(error)};
}

}  // namespace orvex

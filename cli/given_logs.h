#pragma once

#include <string>
#include <vector>

namespace orvex {

// A log named on the command line: the path as given, which opens it and
// names its outputs, and its absolute form, which names it to the user and
// in the report. The absolute form may be too long for the system to open.
struct GivenLog {
    std::string path;
    std::string shown;
};

std::vector<GivenLog> GivenLogs(const std::vector<std::string>& paths);

// For each log, why it is not decoded, or "" to decode it: a log that is an
// output of another log given with it, compared by device and inode with
// links resolved. Its decode would replace files that the other's decode
// writes, or that other log's outputs would replace it before it is read.
std::vector<std::string> LogsThatAreOutputs(const std::vector<GivenLog>& logs);

}  // namespace orvex

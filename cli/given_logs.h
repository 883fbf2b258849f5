#pragma once

#include <string>
#include <vector>

#include "outputs/output_options.h"

namespace orvex {

// A log named on the command line: the path as given, which opens it and
// names its outputs, and its absolute form, which names it to the user and
// in the report. The absolute form may be too long for the system to open.
struct GivenLog {
    std::string path;
    std::string shown;
};

std::vector<GivenLog> GivenLogs(const std::vector<std::string>& paths);

// For each log, why it is not decoded, or "" to decode it:
// - a log that is an output of another log given with it, compared by
//   device and inode with links resolved: its decode would replace files
//   that the other's decode writes, or the other's outputs would replace it
//   before it is read. The report and the WOD export count whether or not
//   they are switched on, and so do the data files an earlier run with
//   --data left beside the log.
// - a log that would write an output an earlier log given with it writes
//   too, compared by folder and name with links resolved: one decode would
//   replace the other's file. Dated logs of one folder share their report
//   and WOD export; logs of one name in two folders share their data files.
std::vector<std::string> LogsNotDecoded(const std::vector<GivenLog>& logs,
                                        const OutputOptions& options);

}  // namespace orvex

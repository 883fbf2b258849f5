#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "outputs/output_options.h"

namespace orvex {

// The log's file name up to its first dot: "orbit" for "/logs/orbit.kss",
// "a" for "a.b.kss", the whole name when it has no dot. A leading dot
// belongs to the name, so that a hidden log never names an output ".tlm".
std::string LogStem(std::string_view logPath);

// The log's file name less its last extension: "orbit.2026-03-01" for
// "/logs/orbit.2026-03-01.kss", the whole name when it has none. The data
// files are named so, that dated logs of one folder never share them.
std::string LogNameLessExtension(std::string_view logPath);

// An output beside the log: the log's folder, its stem, a dot and the
// extension. "/logs/orbit.kss" gives "/logs/orbit.tlm", "data.old/orbit.kss"
// "data.old/orbit.tlm", "./a.kss" "./a.tlm", "/logs/orbit" "/logs/orbit.tlm".
std::string NameBesideLog(std::string_view logPath, std::string_view extension);

inline constexpr std::string_view kReportExtension = "tlm";
inline constexpr std::string_view kWodExportExtension = "csv";

// A file a load of the log may write, and what it is, for messages.
struct LogOutput {
    std::string what;  // "report"
    std::string path;
};
// Every file a load of the log with `options` writes: the report and the
// WOD export when switched on, the data files when asked for.
std::vector<LogOutput> OutputsOfLoad(std::string_view logPath, const OutputOptions& options);

}  // namespace orvex

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// The log's file name up to its first dot: "orbit" for "/logs/orbit.kss",
// "a" for "a.b.kss", the whole name when it has no dot. A leading dot
// belongs to the name, so that a hidden log never names an output ".tlm".
std::string LogStem(std::string_view logPath);

// An output beside the log: the log's folder, its stem, a dot and the
// extension. "/logs/orbit.kss" gives "/logs/orbit.tlm", "data.old/orbit.kss"
// "data.old/orbit.tlm", "./a.kss" "./a.tlm", "/logs/orbit" "/logs/orbit.tlm".
std::string NameBesideLog(std::string_view logPath, std::string_view extension);

inline constexpr std::string_view kReportExtension = "tlm";
inline constexpr std::string_view kWodExportExtension = "csv";

// A file a load of the log may write, and what it is, for messages.
struct LogOutput {
    std::string_view what;  // "report"
    std::string path;
};
// Every output of the log, whichever the options write.
std::vector<LogOutput> OutputsBesideLog(std::string_view logPath);

}  // namespace orvex

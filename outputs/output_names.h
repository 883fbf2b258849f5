#pragma once

#include <string>
#include <string_view>

namespace orvex {

// The log's file name up to its first dot: "orbit" for "/logs/orbit.kss",
// "a" for "a.b.kss", the whole name when it has no dot. A leading dot
// belongs to the name, so that a hidden log never names an output ".tlm".
std::string LogStem(std::string_view logPath);

// An output beside the log: the log's folder, its stem, a dot and the
// extension. "/logs/orbit.kss" gives "/logs/orbit.tlm", "data.old/orbit.kss"
// "data.old/orbit.tlm", "./a.kss" "./a.tlm", "/logs/orbit" "/logs/orbit.tlm".
std::string NameBesideLog(std::string_view logPath, std::string_view extension);

}  // namespace orvex

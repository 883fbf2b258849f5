#pragma once

#include <string>
#include <string_view>

namespace orvex {

// The log path up to and including its first dot, then the extension; the
// dot is searched over the whole path, folders included. No dot: the bare
// extension, a file in the working folder.
std::string NameBesideLog(const std::string& logPath, std::string_view extension);

}  // namespace orvex

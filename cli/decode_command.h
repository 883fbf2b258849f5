#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvex {

class LocaleFormat;

// orvex-decode [--no-report] [--no-wod] [--data DIR [--data-format F]] [--json] LOG...
// Decodes each log as the window's Open command does, in a fresh state, and
// prints one line per log, and one more that counts its bad bytes when it
// has any (or one JSON object per log). Returns the exit code: 0; 1 when a log was
// skipped or a file could not be read or written; 2 for a usage error; 128
// and the signal's number after SIGINT or SIGTERM, which end the run at the
// next frame.
int RunDecodeCommand(const std::vector<std::string>& args, const LocaleFormat& format,
                     std::ostream& out, std::ostream& err, bool showProgress);

}  // namespace orvex

#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/live_input.h"
#include "cli/share_options.h"
#include "outputs/output_options.h"

namespace orvex {

inline constexpr char kDecodeProgram[] = "orvex-decode";

// What orvex-decode was asked to do.
struct DecodeOptions {
    OutputOptions outputs;
    std::vector<std::string> logs;  // in the file system's own bytes
    bool jsonSummary = false;       // each log's summary as one JSON object
    // --archive: empty for the default archive, else the one named.
    std::optional<std::string> archive;
    std::optional<std::string> station;  // who heard the logs
    // --export-range FROM TO: the archive's frames of a span, instead of logs.
    std::optional<std::pair<std::string, std::string>> exportRange;
    std::optional<LiveInput> live;  // a stream instead of logs
    ShareOptions share;             // telemetry servers the frames go to
};

enum class ParseResult { Run, Done, UsageError };

// Reads the arguments into `options`. --help and --version are answered on
// `out` (Done); a usage error is told on `err` (UsageError).
ParseResult ParseDecodeArguments(const std::vector<std::string>& args, DecodeOptions& options,
                                 std::ostream& out, std::ostream& err);

}  // namespace orvex

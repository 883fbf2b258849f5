#include "cli/decode_options.h"

#include <ostream>

namespace orvex {
namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: " << kDecodeProgram << " [--no-report] [--no-wod] LOG...\n"
        << "Decodes Orvex KISS logs and writes, beside each log, the report (.tlm) and the\n"
        << "WOD export (.csv), as the window does with both Settings checked.\n\n"
        << "  --no-report  do not write the report (Write TLM File unchecked)\n"
        << "  --no-wod     do not write the WOD export (Write WOD File unchecked)\n"
        << "  --help       show this help and exit\n"
        << "  --version    show the version and exit\n\n"
        << "Dates, times and numbers follow the locale (LC_ALL, LC_TIME, LC_NUMERIC, LANG).\n"
        << "A log that is the report or WOD export of another log given with it is skipped.\n"
        << "SIGINT (Ctrl+C) or SIGTERM ends the load at the next frame, leaving the report\n"
        << "whole up to there and an earlier WOD export as it was.\n\n"
        << "Exit status: 0 when every log was decoded and written, 1 when a log was skipped\n"
        << "or a file could not be read or written (standard output included), 2 for a\n"
        << "usage error, 130 after SIGINT and 143 after SIGTERM.\n";
}

}  // namespace

// Parsed by hand rather than with QCommandLineParser: log paths are the file
// system's bytes, which need not be valid in the locale's encoding, and a
// round trip through QString would change them.
ParseResult ParseDecodeArguments(const std::vector<std::string>& args, DecodeOptions& options,
                                 std::ostream& out, std::ostream& err) {
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg.empty() || arg.front() != '-' || arg == "-") {
            options.logs.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--no-report") {
            options.outputs.writeReport = false;
        } else if (arg == "--no-wod") {
            options.outputs.writeWodExport = false;
        } else if (arg == "--help" || arg == "-h") {
            PrintUsage(out);
            return ParseResult::Done;
        } else if (arg == "--version") {
            out << kDecodeProgram << ' ' << ORVEX_VERSION << '\n';
            return ParseResult::Done;
        } else {
            err << kDecodeProgram << ": unknown option " << arg << '\n';
            PrintUsage(err);
            return ParseResult::UsageError;
        }
    }
    if (options.logs.empty()) {
        err << kDecodeProgram << ": no log given\n";
        PrintUsage(err);
        return ParseResult::UsageError;
    }
    return ParseResult::Run;
}

}  // namespace orvex

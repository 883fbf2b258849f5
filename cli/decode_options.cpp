#include "cli/decode_options.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>
#include <utility>

#include "cli/archive_runs.h"
#include "share/server_url.h"

namespace orvex {
namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: " << kDecodeProgram
        << " [--no-report] [--no-wod] [--data DIR [--data-format FORMAT]] [--json]\n"
        << "       [--archive [DB] [--station NAME]]\n"
        << "       [--share URL... --norad-id N --callsign CALL --location LAT,LON] LOG...\n"
        << "   or: " << kDecodeProgram
        << " [OPTION]... (--kiss-tcp HOST[:PORT] | --serial DEV[:BAUD] | -)\n"
        << "                    [--record DIR | --record-file FILE]\n"
        << "   or: " << kDecodeProgram
        << " --archive DB --export-range FROM TO --data DIR [--data-format FORMAT]\n"
        << "   or: " << kDecodeProgram << " --archive DB\n"
        << "Decodes Orvex KISS logs and writes, beside each log, the report (.tlm) and the\n"
        << "WOD export (.csv), as the window does with both Settings checked.\n\n"
        << "  --no-report         do not write the report (Write TLM File unchecked)\n"
        << "  --no-wod            do not write the WOD export (Write WOD File unchecked)\n"
        << "  --data DIR          also write each log's data for other tools into the\n"
        << "                      folder DIR: NAME.telemetry, NAME.wod, NAME.status and\n"
        << "                      NAME.frames (NAME: the log's name less its extension),\n"
        << "                      UTF-8, whatever the locale\n"
        << "  --data-format FORMAT  csv (the default) or jsonl (JSON Lines)\n"
        << "  --json              print each log's summary as one JSON object per line\n"
        << "  --archive [DB]      also add each log's frames to the archive DB: a SQLite\n"
        << "                      file, by default ~/.local/share/orvex/archive.sqlite, or a\n"
        << "                      shared PostgreSQL database: postgresql:PARAMETERS, libpq's\n"
        << "                      key=value parameters (\"postgresql:host=db.club.org\n"
        << "                      dbname=orvex\"), or a postgresql:// URI; the next argument\n"
        << "                      is DB unless it is an option or a .kss log. Alone, it makes\n"
        << "                      the archive's tables, or moves an earlier version's, and ends\n"
        << "  --station NAME      the station that heard the logs (default: the host's name)\n"
        << "  --export-range FROM TO  write the data files of the archive's frames from FROM\n"
        << "                      to TO (UTC, 2009-05-01 or 2009-05-01T06:00:00; a date\n"
        << "                      alone as TO takes in its whole day) as DIR/archive.*\n"
        << "  --kiss-tcp HOST[:PORT]  decode the frames a TNC serves as KISS over TCP (the\n"
        << "                      usual port is 8001; an IPv6 address in brackets,\n"
        << "                      [::1]:8001) while they arrive; a refused or\n"
        << "                      lost connection is tried again after 1 s, doubling to 30 s\n"
        << "  --serial DEV[:BAUD] decode the KISS frames of a TNC on a serial port\n"
        << "                      (9600 baud unless given); a lost port is tried again\n"
        << "  -                   decode the KISS stream on standard input\n"
        << "  --record DIR        record the stream into DIR as orvex-YYYYMMDD-HHMMSS.kss\n"
        << "                      (the UTC time of its first byte; the working folder by\n"
        << "                      default)\n"
        << "  --record-file FILE  record the stream into FILE, which must not exist\n"
        << "  --share URL         also send each received frame to the telemetry server URL\n"
        << "                      (SiDS; repeatable), such as SatNOGS DB's\n"
        << "                      https://db.satnogs.org/api/telemetry/: a stream's frames\n"
        << "                      as they arrive, a log's where it holds reception times\n"
        << "  --norad-id N        the satellite's NORAD catalogue number, needed to share\n"
        << "  --callsign CALL     the station's callsign, needed to share\n"
        << "  --location LAT,LON  the station's place in decimal degrees (south and west\n"
        << "                      negative), needed to share and sent only then\n"
        << "  --help              show this help and exit\n"
        << "  --version           show the version and exit\n\n"
        << "Dates, times and numbers follow the locale (LC_ALL, LC_TIME, LC_NUMERIC, LANG).\n"
        << "A log that is an output of another log given with it is skipped, and so is a\n"
        << "log that would write an output of a log given before it.\n"
        << "SIGINT (Ctrl+C), SIGTERM or SIGHUP ends the load at the next frame, leaving the\n"
        << "report whole up to there and the earlier WOD export and data files as they\n"
        << "were; signals after the first do not cut the finishing steps short.\n\n"
        << "Exit status: 0 when every log was decoded and written, 1 when a log was skipped,\n"
        << "a stream sent nothing or a file could not be read or written (standard output\n"
        << "included), 2 for a usage error, 130 after SIGINT, 143 after SIGTERM and 129\n"
        << "after SIGHUP.\n"
        << "Bytes and frames that were not good frames are counted on a line after each\n"
        << "log's line.\n\n"
        << "A stream is recorded byte for byte, with one FEND added where a lost link cut\n"
        << "a frame; the report and WOD export are written beside the recording, the\n"
        << "report block by block as frames arrive. The run ends when the stream ends or\n"
        << "at SIGINT, SIGTERM or SIGHUP, which finish the WOD export and exit with status\n"
        << "0. Nothing is recorded or written before the first byte arrives.\n"
        << "Standard input needs --record or --record-file.\n\n"
        << "Frames to share wait in ~/.local/share/orvex/share-queue.sqlite until each\n"
        << "server took them; after the logs or the stream the run sends what waits until\n"
        << "every server took it or fails (at most 5 s more after a stop signal), and a\n"
        << "later run with --share, or the window, sends the rest.\n";
}

void TellUsageError(std::ostream& err, const std::string& message) {
    err << kDecodeProgram << ": " << message << '\n';
    PrintUsage(err);
}

// An option that takes a value, given as "--name VALUE" or "--name=VALUE":
// its value, with `at` moved past it; nothing when it has none.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& at,
                                       std::string_view name) {
    const std::string& arg = args[at];
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    if (arg == name && at + 1 < args.size()) {
        return args[++at];
    }
    return std::nullopt;
}

bool IsOption(const std::string& arg, std::string_view name) {
    return arg.compare(0, name.size(), name) == 0 &&
           (arg.size() == name.size() || arg[name.size()] == '=');
}

bool EndsWithKss(const std::string& arg) {
    constexpr std::string_view kExtension = ".kss";
    if (arg.size() < kExtension.size()) {
        return false;
    }
    const std::string end = arg.substr(arg.size() - kExtension.size());
    return std::equal(end.begin(), end.end(), kExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// --archive, --archive=DB or --archive DB: the next argument is the archive
// unless it is an option or a log.
std::string ArchiveValue(const std::vector<std::string>& args, std::size_t& at) {
    const std::string& arg = args[at];
    if (arg.size() > std::string_view("--archive").size()) {
        return arg.substr(std::string_view("--archive=").size());
    }
    if (at + 1 < args.size() && !args[at + 1].empty() && args[at + 1].front() != '-' &&
        !EndsWithKss(args[at + 1])) {
        return args[++at];
    }
    return {};
}

// The options of the archive; false after telling a usage error.
bool ParseArchiveOption(const std::vector<std::string>& args, std::size_t& at,
                        DecodeOptions& options, std::ostream& err) {
    const std::string& arg = args[at];
    if (IsOption(arg, "--archive")) {
        options.archive = ArchiveValue(args, at);
        return true;
    }
    if (IsOption(arg, "--station")) {
        options.station = OptionValue(args, at, "--station");
        if (!options.station || options.station->empty()) {
            TellUsageError(err, "--station needs a name");
            return false;
        }
        return true;
    }
    if (at + 2 >= args.size()) {
        TellUsageError(err, "--export-range needs FROM and TO");
        return false;
    }
    options.exportRange = {args[at + 1], args[at + 2]};
    at += 2;
    return true;
}

// What the archive's options need of the others.
std::optional<std::string> ArchiveUsageProblem(const DecodeOptions& options) {
    if (options.station && !options.archive) {
        return "--station needs --archive";
    }
    if (!options.exportRange) {
        return std::nullopt;
    }
    if (!options.archive || options.archive->empty()) {
        return "--export-range needs --archive DB";
    }
    if (!options.outputs.dataExport) {
        return "--export-range needs --data DIR";
    }
    if (!options.logs.empty() || options.live) {
        return "--export-range takes no log or stream";
    }
    if (options.share.Asked()) {
        return "--export-range shares nothing: the archive keeps no reception times";
    }
    std::string problem;
    if (!ParseArchiveSpan(options.exportRange->first, options.exportRange->second, problem)) {
        return problem;
    }
    return std::nullopt;
}

// --data and --data-format; false after telling a usage error.
bool ParseDataOption(const std::vector<std::string>& args, std::size_t& at, DataExportOptions& data,
                     std::optional<DataFormat>& format, std::ostream& err) {
    const bool isFormat = IsOption(args[at], "--data-format");
    const std::string_view name = isFormat ? "--data-format" : "--data";
    const std::optional<std::string> value = OptionValue(args, at, name);
    if (!value || value->empty()) {
        TellUsageError(err, std::string(name) + " needs a value");
        return false;
    }
    if (!isFormat) {
        data.folder = *value;
    } else if (*value == "csv") {
        format = DataFormat::Csv;
    } else if (*value == "jsonl") {
        format = DataFormat::JsonLines;
    } else {
        TellUsageError(err, "unknown data format " + *value + " (csv or jsonl)");
        return false;
    }
    return true;
}

// Which of `names` args[at] is, with its value; nothing after telling a
// usage error when the value is missing.
std::optional<std::pair<std::string_view, std::string>> NamedValue(
    const std::vector<std::string>& args, std::size_t& at, std::span<const std::string_view> names,
    std::ostream& err) {
    std::string_view name;
    for (std::string_view candidate : names) {
        if (IsOption(args[at], candidate)) {
            name = candidate;
            break;
        }
    }
    std::optional<std::string> value = OptionValue(args, at, name);
    if (!value || value->empty()) {
        TellUsageError(err, std::string(name) + " needs a value");
        return std::nullopt;
    }
    return std::pair{name, std::move(*value)};
}

// --kiss-tcp, --serial, --record and --record-file; false after telling a
// usage error.
bool ParseLiveOption(const std::vector<std::string>& args, std::size_t& at, LiveInput& live,
                     bool& streamGiven, std::ostream& err) {
    static constexpr std::string_view kNames[] = {"--kiss-tcp", "--serial", "--record-file",
                                                  "--record"};
    const auto option = NamedValue(args, at, kNames, err);
    if (!option) {
        return false;
    }
    const auto& [name, value] = *option;
    if (name == "--record") {
        live.recordFolder = value;
        return true;
    }
    if (name == "--record-file") {
        live.recordFile = value;
        return true;
    }
    if (streamGiven) {
        TellUsageError(err, "only one stream can be decoded at a time");
        return false;
    }
    streamGiven = true;
    const bool parsed =
        name == "--kiss-tcp" ? ParseHostAndPort(value, live) : ParseDeviceAndBaudRate(value, live);
    if (!parsed) {
        std::string form = name == "--kiss-tcp" ? " (HOST:PORT)" : " (DEVICE[:BAUD])";
        if (name == "--kiss-tcp" && IsBareIpv6Address(value)) {
            form = " (an IPv6 address goes in brackets: [" + value + "] or [" + value + "]:PORT)";
        }
        TellUsageError(err, "cannot read " + std::string(name) + " " + value + form);
    }
    return parsed;
}

// --share, --callsign, --location and --norad-id; false after telling a
// usage error.
bool ParseShareOption(const std::vector<std::string>& args, std::size_t& at, ShareOptions& share,
                      std::ostream& err) {
    static constexpr std::string_view kNames[] = {"--share", "--callsign", "--location",
                                                  "--norad-id"};
    const auto option = NamedValue(args, at, kNames, err);
    if (!option) {
        return false;
    }
    const auto& [name, value] = *option;
    std::optional<std::string> problem;
    if (name == "--share") {
        if (auto wrong = ServerUrlProblem(value)) {
            problem = "cannot share with " + ShownServer(value) + ": " + *wrong;
        }
        share.servers.push_back(value);
    } else if (name == "--callsign") {
        if (!IsCallsign(value)) {
            problem = "cannot read --callsign " + value + " (at most 20 characters, no blank)";
        }
        share.callsign = value;
    } else if (name == "--location") {
        share.location = ParseLocation(value);
        if (!share.location) {
            problem = "cannot read --location " + value +
                      " (LAT,LON in decimal degrees, south and west negative)";
        }
    } else {
        share.noradId = ParseNoradId(value);
        if (!share.noradId) {
            problem = "cannot read --norad-id " + value + " (a number from 1 to 999999999)";
        }
    }
    if (problem) {
        TellUsageError(err, *problem);
    }
    return !problem;
}

bool IsShareOption(const std::string& arg) {
    return IsOption(arg, "--share") || IsOption(arg, "--callsign") || IsOption(arg, "--location") ||
           IsOption(arg, "--norad-id");
}

bool IsLiveOption(const std::string& arg) {
    return IsOption(arg, "--kiss-tcp") || IsOption(arg, "--serial") || IsOption(arg, "--record") ||
           IsOption(arg, "--record-file");
}

// Turns a parsed stream, or a lone "-", into the live input; false after
// telling a usage error.
bool SettleLiveInput(DecodeOptions& options, LiveInput& live, bool streamGiven, std::ostream& err) {
    const bool recordGiven = !live.recordFolder.empty() || !live.recordFile.empty();
    if (!live.recordFolder.empty() && !live.recordFile.empty()) {
        TellUsageError(err, "--record and --record-file cannot both be given");
        return false;
    }
    const auto dashes = std::count(options.logs.begin(), options.logs.end(), "-");
    const bool standardInput = dashes > 0;
    if (dashes > 0 && options.logs.size() > 1) {
        TellUsageError(err, "- (standard input) cannot be decoded with other logs");
        return false;
    }
    if (streamGiven && !options.logs.empty()) {
        TellUsageError(err, "a stream and logs cannot be decoded together");
        return false;
    }
    if (standardInput) {
        if (!recordGiven) {
            TellUsageError(err,
                           "standard input has no log to write beside: give --record DIR or "
                           "--record-file FILE");
            return false;
        }
        live.kind = LiveInput::Kind::StandardInput;
        options.logs.clear();
        streamGiven = true;
    }
    if (!streamGiven) {
        if (recordGiven) {
            TellUsageError(err, "--record and --record-file need a stream to record");
            return false;
        }
        return true;
    }
    if (!recordGiven) {
        live.recordFolder = ".";
    }
    options.live = live;
    return true;
}

}  // namespace

// Parsed by hand rather than with QCommandLineParser: log paths are the file
// system's bytes, which need not be valid in the locale's encoding, and a
// round trip through QString would change them.
ParseResult ParseDecodeArguments(const std::vector<std::string>& args, DecodeOptions& options,
                                 std::ostream& out, std::ostream& err) {
    bool optionsEnded = false;
    DataExportOptions data;
    std::optional<DataFormat> dataFormat;
    LiveInput live;
    bool streamGiven = false;
    for (std::size_t at = 0; at < args.size(); ++at) {
        const std::string& arg = args[at];
        if (optionsEnded || arg.empty() || arg.front() != '-' || arg == "-") {
            options.logs.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--no-report") {
            options.outputs.writeReport = false;
        } else if (arg == "--no-wod") {
            options.outputs.writeWodExport = false;
        } else if (IsOption(arg, "--data") || IsOption(arg, "--data-format")) {
            if (!ParseDataOption(args, at, data, dataFormat, err)) {
                return ParseResult::UsageError;
            }
        } else if (IsOption(arg, "--archive") || IsOption(arg, "--station") ||
                   arg == "--export-range") {
            if (!ParseArchiveOption(args, at, options, err)) {
                return ParseResult::UsageError;
            }
        } else if (IsLiveOption(arg)) {
            if (!ParseLiveOption(args, at, live, streamGiven, err)) {
                return ParseResult::UsageError;
            }
        } else if (IsShareOption(arg)) {
            if (!ParseShareOption(args, at, options.share, err)) {
                return ParseResult::UsageError;
            }
        } else if (arg == "--json") {
            options.jsonSummary = true;
        } else if (arg == "--help" || arg == "-h") {
            PrintUsage(out);
            return ParseResult::Done;
        } else if (arg == "--version") {
            out << kDecodeProgram << ' ' << ORVEX_VERSION << '\n';
            return ParseResult::Done;
        } else {
            TellUsageError(err, "unknown option " + arg);
            return ParseResult::UsageError;
        }
    }
    if (dataFormat && data.folder.empty()) {
        TellUsageError(err, "--data-format needs --data DIR");
        return ParseResult::UsageError;
    }
    if (!data.folder.empty()) {
        data.format = dataFormat.value_or(DataFormat::Csv);
        options.outputs.dataExport = data;
    }
    if (!SettleLiveInput(options, live, streamGiven, err)) {
        return ParseResult::UsageError;
    }
    if (auto problem = ArchiveUsageProblem(options)) {
        TellUsageError(err, *problem);
        return ParseResult::UsageError;
    }
    if (auto problem = options.share.UsageProblem()) {
        TellUsageError(err, *problem);
        return ParseResult::UsageError;
    }
    if (options.logs.empty() && !options.live && !options.exportRange && !options.archive) {
        TellUsageError(err, "no log given");
        return ParseResult::UsageError;
    }
    return ParseResult::Run;
}

}  // namespace orvex

#include "cli/decode_command.h"

#include <unistd.h>

#include <chrono>
#include <climits>
#include <ostream>

#include "input/headless_window.h"
#include "input/load_pipeline.h"

namespace orvex {
namespace {

constexpr const char* kProgram = "orvex-decode";

void PrintUsage(std::ostream& out) {
    out << "Usage: " << kProgram << " [--no-report] [--no-wod] LOG...\n"
        << "Decodes Orvex KISS logs and writes, beside each log, the report (.tlm) and the\n"
        << "WOD export (.csv), as the window does with both Settings checked.\n\n"
        << "  --no-report  do not write the report (Write TLM File unchecked)\n"
        << "  --no-wod     do not write the WOD export (Write WOD File unchecked)\n"
        << "  --help       show this help and exit\n"
        << "  --version    show the version and exit\n\n"
        << "Dates, times and numbers follow the locale (LC_ALL, LC_TIME, LC_NUMERIC, LANG).\n"
        << "Exit status: 0 when every log was decoded and written, 1 when a file could not\n"
        << "be read or written, 2 for a usage error.\n";
}

// The window's file dialog gives absolute paths; a relative one is joined to
// the working folder and otherwise left as it stands.
std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path.front() == '/') {
        return path;
    }
    char folder[PATH_MAX];
    if (::getcwd(folder, sizeof folder) == nullptr) {
        return path;
    }
    std::string absolute = folder;
    if (absolute.back() != '/') {
        absolute += '/';
    }
    return absolute + path;
}

struct Options {
    bool report = true;
    bool wod = true;
    std::vector<std::string> logs;
};

// Progress of a long load on the terminal, a few times a second.
class ProgressLine {
public:
    ProgressLine(std::ostream& err, const DecoderSession& session, const std::string& path)
        : err_(err), session_(session), path_(path) {}

    // After a frame: the clock is read only every few thousand frames.
    void AfterFrame(std::uint64_t frames) {
        frames_ = frames;
        if (++calls_ % 4096 == 0) {
            Show();
        }
    }
    // Between blocks of the log, where frames may be rare.
    void WhileReading() { Show(); }
    ~ProgressLine() {
        if (shown_) {
            err_ << "\r\033[K";
            err_.flush();
        }
    }

private:
    void Show() {
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::milliseconds(250)) {
            return;
        }
        last_ = now;
        shown_ = true;
        err_ << '\r' << path_ << ": " << frames_ << " frames";
        if (const std::uint64_t size = session_.LogSize()) {
            err_ << ", " << session_.BytesRead() * 100 / size << "%";
        }
        err_.flush();
    }

    std::ostream& err_;
    const DecoderSession& session_;
    const std::string& path_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    std::uint64_t calls_ = 0;
    std::uint64_t frames_ = 0;
    bool shown_ = false;
};

// Decodes one log; false when a file could not be read or written.
bool DecodeOne(const std::string& log, const Options& options, const LocaleFormat& format,
               std::ostream& out, std::ostream& err, bool showProgress) {
    const std::string path = AbsolutePath(log);
    HeadlessWindow window(/*keepList1=*/false);
    window.writeTlmFile = options.report;
    window.writeWodFile = options.wod;
    DecoderSession session(window, format);
    session.Start();
    {
        ProgressLine progress(err, session, path);
        if (showProgress) {
            window.onYield = [&progress](std::uint64_t frames) { progress.AfterFrame(frames); };
            window.onReadingYield = [&progress] { progress.WhileReading(); };
        }
        const LoadOutcome outcome = session.OpenLog(path);
        window.onYield = nullptr;
        window.onReadingYield = nullptr;
        for (const FileProblem& problem : outcome.problems) {
            err << kProgram << ": " << problem.Message() << '\n';
        }
        if (!outcome.decoded) {
            return false;
        }
        out << path << ": " << outcome.frames << " frames, " << outcome.records << " TLM records, "
            << outcome.wodRows << " WOD rows";
        if (outcome.wodRowsExported) {
            out << " (" << *outcome.wodRowsExported << " distinct)";
        }
        out << '\n';
        if (outcome.tlmFramesNotKept > 0) {
            err << kProgram << ": " << path << ": " << outcome.tlmFramesNotKept
                << " TLM frames after the first " << RecordStore::kCapacity
                << " were not kept as records"
                << (outcome.reportPath ? " (the report holds them all)" : "") << '\n';
        }
        return outcome.problems.empty();
    }
}

}  // namespace

int RunDecodeCommand(const std::vector<std::string>& args, const LocaleFormat& format,
                     std::ostream& out, std::ostream& err, bool showProgress) {
    Options options;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg.empty() || arg.front() != '-' || arg == "-") {
            options.logs.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--no-report") {
            options.report = false;
        } else if (arg == "--no-wod") {
            options.wod = false;
        } else if (arg == "--help" || arg == "-h") {
            PrintUsage(out);
            return 0;
        } else if (arg == "--version") {
            out << kProgram << ' ' << ORVEX_VERSION << '\n';
            return 0;
        } else {
            err << kProgram << ": unknown option " << arg << '\n';
            PrintUsage(err);
            return 2;
        }
    }
    if (options.logs.empty()) {
        err << kProgram << ": no log given\n";
        PrintUsage(err);
        return 2;
    }
    bool allWritten = true;
    for (const std::string& log : options.logs) {
        allWritten = DecodeOne(log, options, format, out, err, showProgress) && allWritten;
    }
    return allWritten ? 0 : 1;
}

}  // namespace orvex

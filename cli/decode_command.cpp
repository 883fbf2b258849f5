#include "cli/decode_command.h"

#include <unistd.h>

#include <chrono>
#include <climits>
#include <ostream>

#include "kiss/log_source.h"
#include "load/log_load.h"
#include "telemetry/record_store.h"

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
    OutputOptions outputs;
    std::vector<std::string> logs;
};

// Progress of a long load on the terminal, a few times a second.
class ProgressLine : public LoadProgress {
public:
    ProgressLine(std::ostream& err, const LogLoad& load, std::uint64_t logSize, bool shown)
        : err_(err), load_(load), logSize_(logSize), enabled_(shown) {}
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The clock is read only every few thousand frames.
    void AfterFrame(std::uint64_t frames) override {
        frames_ = frames;
        if (++calls_ % 4096 == 0) {
            Show();
        }
    }
    void WhileReading() override { Show(); }
    bool StopRequested() const override { return false; }

    ~ProgressLine() override {
        if (shown_) {
            err_ << "\r\033[K";
            err_.flush();
        }
    }

private:
    void Show() {
        if (!enabled_) {
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::milliseconds(250)) {
            return;
        }
        last_ = now;
        shown_ = true;
        err_ << '\r' << load_.Path() << ": " << frames_ << " frames";
        if (logSize_ > 0) {
            err_ << ", " << load_.BytesRead() * 100 / logSize_ << "%";
        }
        err_.flush();
    }

    std::ostream& err_;
    const LogLoad& load_;
    std::uint64_t logSize_;
    bool enabled_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    std::uint64_t calls_ = 0;
    std::uint64_t frames_ = 0;
    bool shown_ = false;
};

void PrintSummary(std::ostream& out, std::ostream& err, const std::string& path,
                  const LoadOutcome& outcome) {
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
}

// Decodes one log in a fresh state; false when a file could not be read or
// written.
bool DecodeOne(const std::string& log, const LoadContext& context, std::ostream& out,
               std::ostream& err, bool showProgress) {
    const std::string path = AbsolutePath(log);
    FileLogSource file;
    if (const int error = file.Open(path)) {
        err << kProgram << ": "
            << ProblemFromErrno(FileProblem::Action::OpenLog, path, error).Message() << '\n';
        return false;
    }
    Frame frame;
    LogLoad load(path, context, frame);
    LoadOutcome outcome;
    {
        ProgressLine progress(err, load, file.Identity().size, showProgress);
        outcome = load.Run(file, file.Identity(), &progress);
    }
    for (const FileProblem& problem : outcome.problems) {
        err << kProgram << ": " << problem.Message() << '\n';
    }
    PrintSummary(out, err, path, outcome);
    return outcome.problems.empty();
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
            options.outputs.writeReport = false;
        } else if (arg == "--no-wod") {
            options.outputs.writeWodExport = false;
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
    const LoadContext context(format, options.outputs);
    bool allWritten = true;
    for (const std::string& log : options.logs) {
        allWritten = DecodeOne(log, context, out, err, showProgress) && allWritten;
    }
    return allWritten ? 0 : 1;
}

}  // namespace orvex

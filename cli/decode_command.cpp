#include "cli/decode_command.h"

#include <unistd.h>

#include <climits>
#include <ostream>

#include "cli/decode_options.h"
#include "cli/progress_line.h"
#include "kiss/log_source.h"
#include "load/log_load.h"
#include "telemetry/record_store.h"

namespace orvex {
namespace {

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

void PrintSummary(std::ostream& out, std::ostream& err, const std::string& path,
                  const LoadOutcome& outcome) {
    out << path << ": " << outcome.frames << " frames, " << outcome.records << " TLM records, "
        << outcome.wodRows << " WOD rows";
    if (outcome.wodRowsExported) {
        out << " (" << *outcome.wodRowsExported << " distinct)";
    }
    out << '\n';
    if (outcome.tlmFramesNotKept > 0) {
        err << kDecodeProgram << ": " << path << ": " << outcome.tlmFramesNotKept
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
        err << kDecodeProgram << ": "
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
        err << kDecodeProgram << ": " << problem.Message() << '\n';
    }
    PrintSummary(out, err, path, outcome);
    return outcome.problems.empty();
}

}  // namespace

int RunDecodeCommand(const std::vector<std::string>& args, const LocaleFormat& format,
                     std::ostream& out, std::ostream& err, bool showProgress) {
    DecodeOptions options;
    switch (ParseDecodeArguments(args, options, out, err)) {
        case ParseResult::Done:
            return 0;
        case ParseResult::UsageError:
            return 2;
        case ParseResult::Run:
            break;
    }
    const LoadContext context(format, options.outputs);
    bool allWritten = true;
    for (const std::string& log : options.logs) {
        allWritten = DecodeOne(log, context, out, err, showProgress) && allWritten;
    }
    return allWritten ? 0 : 1;
}

}  // namespace orvex

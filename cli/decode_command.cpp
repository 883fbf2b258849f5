#include "cli/decode_command.h"

#include <memory>
#include <optional>
#include <ostream>

#include "cli/archive_runs.h"
#include "cli/decode_options.h"
#include "cli/given_logs.h"
#include "cli/live_command.h"
#include "cli/progress_line.h"
#include "cli/qt_application.h"
#include "cli/share_run.h"
#include "cli/stop_signals.h"
#include "cli/summary_text.h"
#include "kiss/log_source.h"
#include "load/log_load.h"
#include "outputs/output_names.h"
#include "share/frame_sharer.h"

namespace orvex {
namespace {

// What a load that a signal stopped left behind.
void PrintStop(std::ostream& err, const GivenLog& log, const LoadOutcome& outcome,
               const OutputOptions& options, const StopSignals& stop) {
    err << kDecodeProgram << ": Interrupted by " << stop.ReceivedName() << " after "
        << outcome.framesDecoded << " frames of " << log.shown;
    if (outcome.reportPath) {
        err << "; the report " << *outcome.reportPath << " ends with the last one's block";
    }
    if (options.writeWodExport) {
        err << "; the WOD export " << NameBesideLog(log.path, kWodExportExtension)
            << " was left as it was";
    }
    err << '\n';
}

// Decodes one log in a fresh state; false when a file could not be read or
// written.
bool DecodeOne(const GivenLog& log, const LoadContext& context, const StopSignals& stop,
               FrameSharer* sharer, std::ostream& out, std::ostream& err, bool showProgress,
               bool json) {
    FileLogSource file;
    if (const int error = file.Open(log.path)) {
        err << kDecodeProgram << ": "
            << ProblemFromErrno(FileProblem::Action::OpenLog, log.shown, error).Message() << '\n';
        return false;
    }
    Frame frame;
    LogLoad load(log.path, log.shown, context, frame);
    LoadSharing sharing(sharer, load);
    LoadOutcome outcome;
    {
        ProgressLine progress(err, load, file.Identity().size, showProgress, stop, sharer);
        LoadPacing pacing(progress);
        outcome = load.Run(file, file.Identity(), &pacing);
    }
    const bool allShared = !outcome.ran || sharing.Tell(outcome, log.shown, err);
    for (const FileProblem& problem : outcome.problems) {
        err << kDecodeProgram << ": " << problem.Message() << '\n';
    }
    if (outcome.ran) {
        PrintLogSummary(out, log.shown, outcome, json);
    }
    if (outcome.stopped) {
        PrintStop(err, log, outcome, context.Options(), stop);
    }
    return outcome.ran && outcome.problems.empty() && allShared;
}

// Decodes the logs in turn until a stop signal; false when a log was skipped
// or a file could not be read or written.
bool DecodeAll(const std::vector<GivenLog>& logs, const LoadContext& context,
               const StopSignals& stop, FrameSharer* sharer, std::ostream& out, std::ostream& err,
               bool showProgress, bool json) {
    const std::vector<std::string> skipped = LogsNotDecoded(logs, context.Options());
    bool allDone = true;
    for (std::size_t index = 0; index < logs.size(); ++index) {
        if (stop.Received() != 0) {
            err << kDecodeProgram << ": " << logs[index].shown << ": not decoded, as "
                << stop.ReceivedName() << " stopped the run\n";
        } else if (!skipped[index].empty()) {
            err << kDecodeProgram << ": " << skipped[index] << '\n';
            allDone = false;
        } else {
            allDone = DecodeOne(logs[index], context, stop, sharer, out, err, showProgress, json) &&
                      allDone;
        }
    }
    return allDone;
}

// The span was found sound with the other options.
int ExportRange(ArchiveDatabase& database, const DecodeOptions& options, const StopSignals& stop,
                std::ostream& out, std::ostream& err) {
    const auto& [from, to] = *options.exportRange;
    std::string problem;
    const std::optional<ArchiveSpan> span = ParseArchiveSpan(from, to, problem);
    return ExportArchiveRange(database, *span, *options.outputs.dataExport, stop, out, err);
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
    const StopSignals stop;
    std::unique_ptr<ArchiveDatabase> database;
    if (options.archive) {
        database = OpenArchive(*options.archive, err);
        if (options.exportRange) {
            return database ? ExportRange(*database, options, stop, out, err) : 1;
        }
        if (options.logs.empty() && !options.live) {
            return database ? TellArchiveReady(*database, out) : 1;
        }
    }
    std::optional<ArchiveTarget> archive;
    if (database) {
        archive.emplace(ArchiveTarget{*database, StationName(options.station)});
    }
    const LoadContext context(format, options.outputs, archive ? &*archive : nullptr);
    const std::unique_ptr<QCoreApplication> application =
        options.share.Asked() ? ApplicationIfNone() : nullptr;
    bool sharingFailed = false;
    const std::unique_ptr<FrameSharer> sharer = StartSharing(options.share, err, sharingFailed);
    if (options.live) {
        const int code = RunLiveDecode(*options.live, context, stop, sharer.get(), out, err,
                                       options.jsonSummary);
        const bool shared =
            sharer == nullptr || FinishSharing(*sharer, stop, out, err, options.jsonSummary);
        return code == 0 && shared && !sharingFailed ? 0 : 1;
    }
    bool allDone = DecodeAll(GivenLogs(options.logs), context, stop, sharer.get(), out, err,
                             showProgress, options.jsonSummary) &&
                   (database || !options.archive) && !sharingFailed;
    if (sharer) {
        allDone = FinishSharing(*sharer, stop, out, err, options.jsonSummary) && allDone;
    }
    const bool summariesWritten = static_cast<bool>(out.flush());
    if (!summariesWritten) {
        err << kDecodeProgram << ": Cannot write the standard output\n";
    }
    if (stop.Received() != 0) {
        return stop.ExitCode();
    }
    return allDone && summariesWritten ? 0 : 1;
}

}  // namespace orvex

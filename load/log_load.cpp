#include "load/log_load.h"

#include <filesystem>
#include <memory>

#include "archive/archive_writer.h"
#include "frames/frame_type.h"
#include "kiss/kiss_reader.h"
#include "load/reception_times.h"
#include "outputs/data/data_export.h"
#include "outputs/output_names.h"
#include "outputs/report_file.h"
#include "outputs/report_writer.h"
#include "outputs/wod_export.h"
#include "text/unix_time.h"

namespace orvex {
namespace {

// Asks the pacing between blocks of a log, where a long stretch may hold no
// frame; a stop asked for then ends the log's data, as a stop, so that the
// frame it falls inside of is not taken for one the log cut short.
class PacedSource : public LogSource {
public:
    PacedSource(LogSource& inner, LoadPacing& pacing) : inner_(inner), pacing_(pacing) {}

    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        if (reads_++ > 0 && !pacing_.MayGoOn()) {
            return {.stopped = true};
        }
        return inner_.Read(buffer, capacity);
    }

private:
    LogSource& inner_;
    LoadPacing& pacing_;
    std::uint64_t reads_ = 0;
};

}  // namespace

LogLoad::LogLoad(const std::string& path, const LoadContext& context, Frame& frame, LoadMode mode)
    : LogLoad(path, path, context, frame, mode) {}

LogLoad::LogLoad(std::string path, std::string shownPath, const LoadContext& context, Frame& frame,
                 LoadMode mode)
    : path_(std::move(path)),
      shownPath_(std::move(shownPath)),
      context_(context),
      frame_(frame),
      mode_(mode),
      wodRows_(context.WodTexts()) {}

LoadOutcome LogLoad::Run(LogSource& source, const FileIdentity& identity, LoadPacing* pacing) {
    UnfollowedLoad unfollowed;
    LoadPacing unpaced(unfollowed);
    const OutputOptions& options = context_.Options();

    LoadOutcome outcome;
    ReportFile report(NameBesideLog(path_, kReportExtension), identity);
    WodExportFile wodExport(NameBesideLog(path_, kWodExportExtension), identity);
    std::unique_ptr<DataExport> data;
    if (options.dataExport) {
        data = std::make_unique<DataExport>(*options.dataExport, path_, identity);
    }
    if (auto refusal = ClaimOutputs(report, wodExport, data.get())) {
        outcome.problems.push_back(*refusal);
        return outcome;
    }
    // A stream's report is followed while it grows; a log's gathers its
    // blocks into large writes.
    const bool followed = mode_ == LoadMode::Stream;
    if (options.writeReport) {
        report.Create(ReportHeader(shownPath_), followed);
    }
    ReportWriter reportWriter(report, options, context_.Format(), context_.TlmLines(), followed);
    FrameHandlers handlers;
    handlers.Add(*this);
    handlers.Add(reportWriter);
    handlers.Add(extraHandlers_);
    if (data) {
        data->Start();
        handlers.Add(data->Frames());
    }
    std::unique_ptr<ArchiveWriter> archive = StartArchive(outcome);
    if (archive) {
        handlers.Add(*archive);
    }

    outcome.ran = true;
    ReadFrames(source, handlers, pacing != nullptr ? *pacing : unpaced, outcome);
    if (auto problem = report.Finish()) {
        outcome.problems.push_back(*problem);
    } else if (report.Written()) {
        outcome.reportPath = report.Path();
    }
    outcome.framesDecoded = framesDecoded_;
    outcome.records = tlmRecords_;
    outcome.wodRows = wodRows_.Count();  // before the export removes repeats
    if (!outcome.stopped && options.writeWodExport) {
        ExportWodRows(wodExport, outcome);
    } else {
        wodExport.Abandon();
    }
    if (data) {
        FinishDataExport(*data, outcome);
    }
    if (archive) {
        FinishArchive(*archive, outcome);
    }
    return outcome;
}

// An archive that cannot be written is told, and the load goes on without
// it.
std::unique_ptr<ArchiveWriter> LogLoad::StartArchive(LoadOutcome& outcome) {
    ArchiveTarget* target = context_.Archive();
    if (target == nullptr) {
        return nullptr;
    }
    auto archive = std::make_unique<ArchiveWriter>(
        *target, path_,
        mode_ == LoadMode::Stream ? ArchiveWriter::Source::Stream : ArchiveWriter::Source::File);
    if (!archive->Start()) {
        outcome.problems.push_back(ArchiveProblem(*archive));
        return nullptr;
    }
    return archive;
}

// After a stop too: the frames read so far are whole, and stored.
void LogLoad::FinishArchive(ArchiveWriter& archive, LoadOutcome& outcome) {
    if (!archive.Finish()) {
        outcome.problems.push_back(ArchiveProblem(archive));
    }
    outcome.archived = archive.Counts();
}

FileProblem LogLoad::ArchiveProblem(const ArchiveWriter& archive) const {
    return {FileProblem::Action::WriteArchive, context_.Archive()->database.Location().Shown(),
            archive.Problem().value_or("")};
}

// Every output the options ask for is claimed before anything is written, so
// that a log whose outputs another run is writing is not loaded at all.
std::optional<FileProblem> LogLoad::ClaimOutputs(ReportFile& report, WodExportFile& wodExport,
                                                 DataExport* data) {
    const OutputOptions& options = context_.Options();
    if (options.writeReport && !report.Claim()) {
        return report.Problem();
    }
    if (options.writeWodExport && !wodExport.Claim()) {
        report.Abandon();
        return wodExport.Problem();
    }
    if (data != nullptr) {
        if (auto busy = data->Claim()) {
            report.Abandon();
            wodExport.Abandon();
            return busy;
        }
    }
    return std::nullopt;
}

void LogLoad::ReadFrames(LogSource& source, FrameHandler& handlers, LoadPacing& pacing,
                         LoadOutcome& outcome) {
    // A stream's frames are given the time their last byte arrived.
    ArrivalClock arrivals(source);
    // A stream's source asks the pacing itself and ends the stream at a stop,
    // so that every byte it recorded is decoded.
    PacedSource paced(arrivals, pacing);
    KissReader reader(mode_ == LoadMode::Log ? static_cast<LogSource&>(paced)
                                             : static_cast<LogSource&>(arrivals));
    reader_ = &reader;
    ReceptionTimes receptionTimes(mode_ == LoadMode::Stream ? &arrivals : nullptr);
    while (reader.ReadNextFrame(frame_)) {
        ++outcome.framesRead;
        receptionTimes.Stamp(frame_);
        const FrameOutcome result = DecodeFrame(frame_, handlers);
        handlers.OnFrameRead(frame_, result);
        outcome.account.Count(frame_, result);
        if (result == FrameOutcome::Decoded) {
            ++framesDecoded_;
        }
        if (!pacing.MayGoOn() && mode_ == LoadMode::Log) {
            break;
        }
    }
    outcome.stopped = mode_ == LoadMode::Log && pacing.StopRequested();
    reader_ = nullptr;
    outcome.account.read = reader.CountsSoFar();
    if (reader.ReadError() != 0) {
        outcome.problems.push_back(
            ProblemFromErrno(FileProblem::Action::ReadLog, shownPath_, reader.ReadError()));
    }
}

void LogLoad::ExportWodRows(WodExportFile& wodExport, LoadOutcome& outcome) {
    if (auto problem = wodExport.Write(wodRows_)) {
        outcome.problems.push_back(*problem);
    } else {
        outcome.exportPath = wodExport.Path();
        outcome.wodRowsExported = wodRows_.Count();
    }
}

void LogLoad::FinishDataExport(DataExport& data, LoadOutcome& outcome) {
    if (outcome.stopped) {
        data.Abandon();
        return;
    }
    std::vector<FileProblem> problems = data.Finish();
    if (problems.empty()) {
        outcome.dataPaths.assign(data.Paths().begin(), data.Paths().end());
    }
    outcome.problems.insert(outcome.problems.end(), problems.begin(), problems.end());
}

std::uint64_t LogLoad::BytesRead() const {
    return reader_ != nullptr ? reader_->BytesConsumed() : 0;
}

void LogLoad::OnTlmFrame(const TlmFrame& /*frame*/) {
    ++tlmRecords_;
}

void LogLoad::OnWodFrame(const WodFrame& frame) {
    for (int k = 0; k < WodFrame::kSampleCount; ++k) {
        const WodFrame::Sample sample = frame.SampleAt(k);
        const DateValue date = UnixTimeToDate(sample.timestamp);
        WodSample row;
        // Frame times always give a date; the empty value would read 00:00:00.
        row.secondOfDay = date ? static_cast<std::uint32_t>(date->SecondOfDay()) : 0;
        row.raw = sample.raw;
        wodRows_.Add(row);
    }
}

}  // namespace orvex

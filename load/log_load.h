#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "frames/frame_handler.h"
#include "kiss/frame.h"
#include "kiss/log_source.h"
#include "load/load_context.h"
#include "load/load_outcome.h"
#include "load/load_progress.h"
#include "telemetry/record_store.h"
#include "telemetry/wod_rows.h"

namespace orvex {

class ArchiveWriter;
class DataExport;
class KissReader;
class ReportFile;
class WodExportFile;

// One load of one log: reads its frames to the end, keeps its first 100 TLM
// records and its WOD rows, accounts for its bytes, and writes its report and
// WOD export beside it, and its data for other tools, as the options say.
class LogLoad : public FrameHandler {
public:
    // `frame` is the program run's frame buffer, which outlives the load:
    // see Frame.
    LogLoad(const std::string& path, const LoadContext& context, Frame& frame);
    // `path` opens the log and names its outputs; `shownPath` names it in
    // the report. The command line opens a relative path as it was given,
    // as its absolute form may be too long for the system to open.
    LogLoad(std::string path, std::string shownPath, const LoadContext& context, Frame& frame);

    // Keeps the newest 100 TLM records rather than the first: a live stream's
    // window shows the latest telemetry.
    void KeepNewestRecords() { keepNewestRecords_ = true; }
    // Adds each frame to the archive as it is read rather than a block at a
    // time: a live stream's frames are in the archive as they arrive.
    void ArchiveEachFrame() { archiveEachFrame_ = true; }
    // Gives each frame the time its last byte arrived as its reception time,
    // unless a timestamp frame before it gave one: a live stream's frames.
    void StampArrivalTimes() { stampArrivalTimes_ = true; }

    // Another handler of every decoded frame, such as the window's view.
    void AddFrameHandler(FrameHandler& handler) { extraHandlers_.Add(handler); }

    // Reads the whole log; `progress` may be null.
    LoadOutcome Run(LogSource& source, const FileIdentity& identity, LoadProgress* progress);

    const std::string& Path() const { return path_; }
    const std::string& ShownPath() const { return shownPath_; }
    const RecordStore& Records() const { return records_; }
    WodRowList& WodRows() { return wodRows_; }
    std::uint64_t FramesDecoded() const { return framesDecoded_; }
    // Bytes of the log read so far.
    std::uint64_t BytesRead() const;

    void OnTlmFrame(const TlmFrame& frame) override;
    void OnWodFrame(const WodFrame& frame) override;

private:
    void ReadFrames(LogSource& source, FrameHandler& handlers, LoadProgress* progress,
                    LoadOutcome& outcome);
    std::optional<FileProblem> ClaimOutputs(ReportFile& report, WodExportFile& wodExport,
                                            DataExport* data);
    void ExportWodRows(WodExportFile& wodExport, LoadOutcome& outcome);
    void FinishDataExport(DataExport& data, LoadOutcome& outcome);
    std::unique_ptr<ArchiveWriter> StartArchive(LoadOutcome& outcome);
    void FinishArchive(ArchiveWriter& archive, LoadOutcome& outcome);
    FileProblem ArchiveProblem(const ArchiveWriter& archive) const;

    std::string path_;
    std::string shownPath_;
    const LoadContext& context_;
    Frame& frame_;
    FrameHandlers extraHandlers_;
    const KissReader* reader_ = nullptr;  // while reading

    std::uint64_t framesDecoded_ = 0;
    RecordStore records_;
    bool keepNewestRecords_ = false;
    bool archiveEachFrame_ = false;
    bool stampArrivalTimes_ = false;
    std::uint64_t tlmFramesNotKept_ = 0;  // TLM frames beyond the store's 100
    WodRowList wodRows_;
};

}  // namespace orvex

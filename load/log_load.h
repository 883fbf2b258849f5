#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "frames/frame_handler.h"
#include "kiss/frame.h"
#include "kiss/load_pacing.h"
#include "kiss/log_source.h"
#include "load/load_context.h"
#include "load/load_mode.h"
#include "load/load_outcome.h"
#include "telemetry/wod_rows.h"

namespace orvex {

class ArchiveWriter;
class DataExport;
class KissReader;
class ReportFile;
class WodExportFile;

// One load of one log: reads its frames to the end, counts its TLM records,
// keeps its WOD rows, accounts for its bytes, and writes its report and WOD
// export beside it, and its data for other tools, as the options say.
class LogLoad : public FrameHandler {
public:
    // `frame` is the program run's frame buffer, which outlives the load:
    // see Frame.
    LogLoad(const std::string& path, const LoadContext& context, Frame& frame,
            LoadMode mode = LoadMode::Log);
    // `path` opens the log and names its outputs; `shownPath` names it in
    // the report. The command line opens a relative path as it was given,
    // as its absolute form may be too long for the system to open.
    LogLoad(std::string path, std::string shownPath, const LoadContext& context, Frame& frame,
            LoadMode mode = LoadMode::Log);

    // Another handler of every decoded frame, such as the window's view.
    void AddFrameHandler(FrameHandler& handler) { extraHandlers_.Add(handler); }

    // Reads the whole log, or the stream to its end. The load asks `pacing`
    // (null: nobody follows it) after every frame and between blocks; a
    // stream's source, given the same pacing, asks it while it waits.
    LoadOutcome Run(LogSource& source, const FileIdentity& identity, LoadPacing* pacing);

    // Names a stream's log, recorded from its first byte, once it has one:
    // before Run, on the thread that runs it.
    void NameLog(const std::string& path) { path_ = shownPath_ = path; }

    const std::string& Path() const { return path_; }
    const std::string& ShownPath() const { return shownPath_; }
    LoadMode Mode() const { return mode_; }
    WodRowList& WodRows() { return wodRows_; }
    // Read on the loading thread while it runs, or anywhere after.
    std::uint64_t FramesDecoded() const { return framesDecoded_; }
    // Bytes of the log read so far, likewise.
    std::uint64_t BytesRead() const;

    void OnTlmFrame(const TlmFrame& frame) override;
    void OnWodFrame(const WodFrame& frame) override;

private:
    void ReadFrames(LogSource& source, FrameHandler& handlers, LoadPacing& pacing,
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
    LoadMode mode_;
    FrameHandlers extraHandlers_;
    const KissReader* reader_ = nullptr;  // while reading

    std::uint64_t framesDecoded_ = 0;
    std::uint64_t tlmRecords_ = 0;
    WodRowList wodRows_;
};

}  // namespace orvex

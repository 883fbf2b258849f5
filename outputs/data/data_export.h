#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kiss/log_source.h"
#include "outputs/data/data_options.h"
#include "outputs/data/data_record_feed.h"
#include "outputs/data/dated_wod_rows.h"
#include "outputs/data/record_format.h"
#include "outputs/file_problem.h"
#include "outputs/output_file.h"
#include "outputs/output_names.h"

namespace orvex {

// "DIR/NAME.KIND.EXT": NAME is the log's file name less its last extension.
std::string DataFilePath(const DataExportOptions& options, std::string_view logPath, DataFile file);
// The four data files of the log, as outputs: "telemetry data file", ...
std::vector<LogOutput> DataOutputs(const DataExportOptions& options, std::string_view logPath);

// The data export of one load: NAME.telemetry, NAME.wod, NAME.status and
// NAME.frames in the folder, claimed for the whole load (see OutputFile).
// Telemetry, status and frame records are written as they arrive; the WOD
// samples at the end, by time and free of repeats. Each file replaces an
// earlier one only once complete, and never the log.
class DataExport : public DataSink {
public:
    DataExport(const DataExportOptions& options, std::string_view logPath, const FileIdentity& log);
    ~DataExport() override;
    DataExport(const DataExport&) = delete;
    DataExport& operator=(const DataExport&) = delete;

    // Claims the four files; when another run holds one, gives them all up
    // and tells which. Any other failure is told by Finish.
    std::optional<FileProblem> Claim();
    // Opens the files claimed and writes their headers.
    void Start();
    // The load's frames go here.
    FrameHandler& Frames() { return feed_; }
    // The frames file names the station and the log that first heard each
    // frame, as set before it; called before Start.
    void NameFrameSources() { format_->NameFrameSources(); }
    void SetFrameSource(std::string station, std::string log);

    // Writes the WOD samples and closes the files: a problem for each file
    // that could not be written.
    std::vector<FileProblem> Finish();
    // Closes the files and leaves any earlier ones as they were, for a load
    // that was stopped.
    void Abandon();
    const std::array<std::string, kDataFiles.size()>& Paths() const { return paths_; }

    void OnTlmRecord(const TlmRecord& record) override;
    void OnWodRecord(const WodRecord& record) override;
    void OnStatusRecord(const StatusRecord& record) override;
    void OnFrameRecord(const FrameRecord& record) override;

private:
    OutputFile& File(DataFile file) { return files_[static_cast<std::size_t>(file)]; }

    std::unique_ptr<RecordFormat> format_;
    std::array<OutputFile, kDataFiles.size()> files_;
    std::array<std::string, kDataFiles.size()> paths_;
    DatedWodRows wodRows_;
    std::string station_;
    std::string log_;
    DataRecordFeed feed_{*this};
};

}  // namespace orvex

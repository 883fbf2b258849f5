#include "outputs/data/data_export.h"

namespace orvex {

std::string DataFilePath(const DataExportOptions& options, std::string_view logPath,
                         DataFile file) {
    std::string path = options.folder;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += LogNameLessExtension(logPath);
    path += '.';
    path += DataFileKind(file);
    path += '.';
    path += DataFileExtension(options.format);
    return path;
}

std::vector<LogOutput> DataOutputs(const DataExportOptions& options, std::string_view logPath) {
    std::vector<LogOutput> outputs;
    outputs.reserve(kDataFiles.size());
    for (const DataFile file : kDataFiles) {
        outputs.push_back(
            {std::string(DataFileKind(file)) + " data file", DataFilePath(options, logPath, file)});
    }
    return outputs;
}

DataExport::DataExport(const DataExportOptions& options, std::string_view logPath,
                       const FileIdentity& log)
    : format_(RecordFormat::Make(options.format)) {
    for (const DataFile file : kDataFiles) {
        paths_[static_cast<std::size_t>(file)] = DataFilePath(options, logPath, file);
        File(file).ProtectFile(log.device, log.inode);
    }
}

std::optional<FileProblem> DataExport::Claim() {
    for (const DataFile file : kDataFiles) {
        OutputFile& out = File(file);
        const std::string& path = paths_[static_cast<std::size_t>(file)];
        if (!out.Claim(path) && out.Busy()) {
            Abandon();
            return FileProblem{FileProblem::Action::WriteData, path, out.FailureReason()};
        }
    }
    return std::nullopt;
}

void DataExport::Start() {
    for (const DataFile file : kDataFiles) {
        OutputFile& out = File(file);
        // A claim that failed is not tried again; Finish tells it.
        if (!out.Failed() && out.Open(OutputFile::Mode::ReplaceAtClose)) {
            out.Write(format_->Header(file));
        }
    }
}

DataExport::~DataExport() = default;

void DataExport::OnTlmRecord(const TlmRecord& record) {
    OutputFile& out = File(DataFile::Telemetry);
    format_->AppendTlm(out.Buffer(), record);
    out.Flushed();
}

void DataExport::OnWodRecord(const WodRecord& record) {
    wodRows_.Add(record);
}

void DataExport::OnStatusRecord(const StatusRecord& record) {
    OutputFile& out = File(DataFile::Status);
    format_->AppendStatus(out.Buffer(), record);
    out.Flushed();
}

void DataExport::SetFrameSource(std::string station, std::string log) {
    station_ = std::move(station);
    log_ = std::move(log);
}

void DataExport::OnFrameRecord(const FrameRecord& record) {
    OutputFile& out = File(DataFile::Frames);
    const FrameSource source{station_, log_};
    FrameRecord named = record;
    named.source = &source;
    format_->AppendFrame(out.Buffer(), named);
    out.Flushed();
}

std::vector<FileProblem> DataExport::Finish() {
    OutputFile& wod = File(DataFile::Wod);
    if (wod.IsOpen()) {
        wodRows_.ForEachDistinct([&](const WodRecord& sample) {
            format_->AppendWod(wod.Buffer(), sample);
            wod.Flushed();
        });
    }
    std::vector<FileProblem> problems;
    for (const DataFile file : kDataFiles) {
        OutputFile& out = File(file);
        if (!out.Close()) {
            problems.push_back({FileProblem::Action::WriteData,
                                paths_[static_cast<std::size_t>(file)], out.FailureReason()});
        }
    }
    return problems;
}

void DataExport::Abandon() {
    for (OutputFile& out : files_) {
        out.Abandon();
    }
}

}  // namespace orvex

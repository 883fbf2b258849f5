#include "input/report_file.h"

#include "input/field_helpers.h"

namespace orvex {

std::string NameBesideLog(const std::string& logPath, std::string_view extension) {
    const auto dot = logPath.find('.');
    std::string name = dot == std::string::npos ? std::string() : logPath.substr(0, dot + 1);
    name += extension;
    return name;
}

std::string ReportHeader(const std::string& logPath, const ChannelTable& channels,
                         const WodChannelList& wodChannels) {
    std::string header;
    auto line = [&header](std::string_view text) {
        header += text;
        header += kLineEnd;
    };
    line("Orvex Telemetry Decoder by Tamlo");
    line("================================");
    line("File: " + logPath);
    line("");
    line("[ZULWOD FILE]");
    line("");
    AppendHashPattern(header, wodChannels[0]);
    line(" WOD version");
    for (int slot = 1; slot <= kWodSlotCount; ++slot) {
        AppendHashPattern(header, wodChannels[slot]);
        header += ' ';
        line(channels[ChannelIndexOfNumber(wodChannels[slot])].Name);
    }
    line("");
    return header;
}

void ReportWriter::StartLoad(const std::string& path, std::uint64_t logDevice,
                             std::uint64_t logInode) {
    file_.Reset();
    path_ = path;
    failed_ = false;
    written_ = false;
    file_.ProtectFile(logDevice, logInode);
}

bool ReportWriter::EnsureOpen(OutputFile::Mode mode) {
    if (!file_.IsOpen() && !failed_ && !file_.Open(path_, mode)) {
        failed_ = true;
    }
    return !failed_;
}

void ReportWriter::Create(std::string_view header) {
    file_.Close();
    if (EnsureOpen(OutputFile::Mode::Replace)) {
        file_.Write(header);
        written_ = true;
    }
}

std::string& ReportWriter::Out() {
    if (EnsureOpen(OutputFile::Mode::Append)) {
        return file_.Buffer();
    }
    return discarded_;
}

void ReportWriter::EndBlock() {
    if (failed_) {
        discarded_.clear();
        return;
    }
    written_ = true;
    file_.Flushed();
}

std::optional<FileProblem> ReportWriter::FinishLoad() {
    if (!file_.Close() || failed_) {
        failed_ = true;
        written_ = false;
        return FileProblem{FileProblem::Action::WriteReport, path_, file_.FailureReason()};
    }
    return std::nullopt;
}

}  // namespace orvex

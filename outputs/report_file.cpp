#include "outputs/report_file.h"

#include "outputs/line_end.h"
#include "telemetry/channel_table.h"
#include "text/digits.h"

namespace orvex {

std::string ReportHeader(const std::string& logPath) {
    std::string header;
    auto line = [&header](std::string_view text) {
        header += text;
        EndLine(header);
    };
    line("Orvex Telemetry Decoder by Tamlo");
    line("================================");
    line("File: " + logPath);
    line("");
    line("[ZULWOD FILE]");
    line("");
    AppendHashPattern(header, WodChannels()[0]);
    line(" WOD version");
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        AppendHashPattern(header, WodChannels()[slot + 1]);
        header += ' ';
        line(WodSlotChannel(slot).name);
    }
    line("");
    return header;
}

ReportFile::ReportFile(std::string path, const FileIdentity& log) : path_(std::move(path)) {
    file_.ProtectFile(log.device, log.inode);
}

bool ReportFile::Claim() {
    failed_ = !file_.Claim(path_);
    return !file_.Busy();
}

FileProblem ReportFile::Problem() const {
    return {FileProblem::Action::WriteReport, path_, file_.FailureReason()};
}

bool ReportFile::EnsureOpen(OutputFile::Mode mode) {
    if (!file_.IsOpen() && !failed_ && !file_.Open(path_, mode)) {
        failed_ = true;
    }
    return !failed_;
}

void ReportFile::Create(std::string_view header, bool growsInPlace) {
    if (EnsureOpen(growsInPlace ? OutputFile::Mode::ReplaceAtOpen
                                : OutputFile::Mode::ReplaceAtClose)) {
        file_.Write(header);
        written_ = true;
    }
}

std::string& ReportFile::Out() {
    if (EnsureOpen(OutputFile::Mode::ExtendAtClose)) {
        return file_.Buffer();
    }
    return discarded_;
}

void ReportFile::EndBlock(bool toDisk) {
    if (failed_) {
        discarded_.clear();
        return;
    }
    written_ = true;
    if (toDisk) {
        file_.Flush();
    } else {
        file_.Flushed();
    }
}

std::optional<FileProblem> ReportFile::Finish() {
    if (!file_.Close() || failed_) {
        failed_ = true;
        written_ = false;
        return Problem();
    }
    return std::nullopt;
}

}  // namespace orvex

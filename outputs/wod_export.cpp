#include "outputs/wod_export.h"

#include "outputs/line_end.h"
#include "telemetry/channel_table.h"
#include "telemetry/wod_rows.h"

namespace orvex {

std::string WodExportHeader() {
    std::string header = "Time;";
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        header += WodSlotChannel(slot).name;
        header += ';';
    }
    EndLine(header);
    return header;
}

WodExportFile::WodExportFile(std::string path, const FileIdentity& log) : path_(std::move(path)) {
    file_.ProtectFile(log.device, log.inode);
}

bool WodExportFile::Claim() {
    file_.Claim(path_);
    return !file_.Busy();
}

FileProblem WodExportFile::Problem() const {
    return {FileProblem::Action::WriteExport, path_, file_.FailureReason()};
}

std::optional<FileProblem> WodExportFile::Write(WodRowList& rows) {
    rows.RemoveDuplicateItems();
    // A claim that failed at the start of the load is not tried again.
    if (!file_.Failed() && file_.Open(path_, OutputFile::Mode::ReplaceAtClose)) {
        file_.Write(WodExportHeader());
        rows.ForEachRow([this](std::string_view row) {
            std::string& out = file_.Buffer();
            out += row;
            EndLine(out);
            file_.Flushed();
        });
    }
    if (!file_.Close()) {
        return Problem();
    }
    return std::nullopt;
}

}  // namespace orvex

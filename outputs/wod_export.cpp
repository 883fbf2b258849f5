#include "outputs/wod_export.h"

#include "outputs/line_end.h"
#include "outputs/output_file.h"
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

std::optional<FileProblem> ExportWodFile(const std::string& path, WodRowList& rows,
                                         const FileIdentity& log) {
    OutputFile file;
    file.ProtectFile(log.device, log.inode);
    if (file.Open(path, OutputFile::Mode::ReplaceAtomically)) {
        file.Write(WodExportHeader());
    }
    rows.RemoveDuplicateItems();
    if (file.IsOpen()) {
        rows.ForEachRow([&file](std::string_view row) {
            std::string& out = file.Buffer();
            out += row;
            EndLine(out);
            file.Flushed();
        });
    }
    if (!file.Close()) {
        return FileProblem{FileProblem::Action::WriteExport, path, file.FailureReason()};
    }
    return std::nullopt;
}

}  // namespace orvex

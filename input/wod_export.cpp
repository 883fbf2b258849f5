#include "input/wod_export.h"

#include "input/field_helpers.h"
#include "input/output_file.h"
#include "input/report_file.h"

namespace orvex {

std::string WodExportHeader(const ChannelTable& channels, const WodChannelList& wodChannels) {
    std::string header = "Time;";
    for (int slot = 1; slot <= kWodSlotCount; ++slot) {
        header += channels[ChannelIndexOfNumber(wodChannels[slot])].Name;
        header += ';';
    }
    EndLine(header);
    return header;
}

std::optional<FileProblem> ExportWodFile(DecoderState& state, std::uint64_t logDevice,
                                         std::uint64_t logInode) {
    const std::string name = NameBesideLog(state.LogFilePath, "csv");
    OutputFile file;
    file.ProtectFile(logDevice, logInode);
    if (file.Open(name, OutputFile::Mode::ReplaceAtomically)) {
        file.Write(WodExportHeader(state.channels, state.wodChannels));
    }
    state.List2.RemoveDuplicateItems();
    if (file.IsOpen()) {
        state.List2.ForEachRow([&file](std::string_view row) {
            std::string& out = file.Buffer();
            out += row;
            EndLine(out);
            file.Flushed();
        });
    }
    if (!file.Close()) {
        return FileProblem{FileProblem::Action::WriteExport, name, file.FailureReason()};
    }
    return std::nullopt;
}

}  // namespace orvex

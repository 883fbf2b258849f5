#pragma once

#include <optional>
#include <string>

#include "input/decoder_state.h"
#include "input/file_problem.h"

namespace orvex {

// The export's header line: "Time;" and the ten WOD channel names, each
// followed by ';'.
std::string WodExportHeader(const ChannelTable& channels, const WodChannelList& wodChannels);

// Writes List2, free of repeats, beside the log (extension "csv"). The file
// replaces an earlier export only once it is complete. The log's identity
// keeps the export from replacing the log.
std::optional<FileProblem> ExportWodFile(DecoderState& state, std::uint64_t logDevice,
                                         std::uint64_t logInode);

}  // namespace orvex

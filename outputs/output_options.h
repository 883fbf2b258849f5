#pragma once

#include <optional>

#include "outputs/data/data_options.h"

namespace orvex {

// Which files a load writes. The caller owns them and may switch the report
// while a log loads: each frame reads the switch afresh.
struct OutputOptions {
    bool writeReport = true;
    bool writeWodExport = true;
    // Each report block reaches the file as soon as it is made, so that the
    // report of a log received live can be followed while it grows; a log
    // read from disk gathers its blocks in large writes.
    bool reportBlockByBlock = false;
    // The data for other tools, only when asked for; read once per load.
    std::optional<DataExportOptions> dataExport;
};

}  // namespace orvex

#pragma once

#include <atomic>
#include <optional>

#include "outputs/data/data_options.h"

namespace orvex {

// Which files a load writes. The caller owns them and may switch the report
// and the WOD export while a log loads on another thread: each frame reads
// the report's switch afresh, the end of the load the export's.
struct OutputOptions {
    std::atomic<bool> writeReport = true;
    std::atomic<bool> writeWodExport = true;
    // The data for other tools, only when asked for; read once per load.
    std::optional<DataExportOptions> dataExport;
};

}  // namespace orvex

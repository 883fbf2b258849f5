#pragma once

#include <optional>

#include "outputs/data/data_options.h"

namespace orvex {

// Which files a load writes. The caller owns them and may switch the report
// while a log loads: each frame reads the switch afresh.
struct OutputOptions {
    bool writeReport = true;
    bool writeWodExport = true;
    // The data for other tools, only when asked for; read once per load.
    std::optional<DataExportOptions> dataExport;
};

}  // namespace orvex

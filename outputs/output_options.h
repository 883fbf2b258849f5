#pragma once

namespace orvex {

// Which files a load writes. The caller owns them and may switch the report
// while a log loads: each frame reads the switch afresh.
struct OutputOptions {
    bool writeReport = true;
    bool writeWodExport = true;
};

}  // namespace orvex

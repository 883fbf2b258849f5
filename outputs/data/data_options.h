#pragma once

#include <string>

namespace orvex {

enum class DataFormat {
    Csv,        // RFC 4180: comma, '.' decimals, a header line, LF
    JsonLines,  // one JSON object per line
};

// Where the data for other tools goes, and in which form.
struct DataExportOptions {
    std::string folder;  // in the file system's encoding
    DataFormat format = DataFormat::Csv;
};

}  // namespace orvex

#include "outputs/data/record_format.h"

#include "outputs/data/csv_record_format.h"
#include "outputs/data/json_lines_record_format.h"

namespace orvex {

std::unique_ptr<RecordFormat> RecordFormat::Make(DataFormat format) {
    if (format == DataFormat::JsonLines) {
        return std::make_unique<JsonLinesRecordFormat>();
    }
    return std::make_unique<CsvRecordFormat>();
}

}  // namespace orvex

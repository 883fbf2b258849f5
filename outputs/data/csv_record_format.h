#pragma once

#include "outputs/data/record_format.h"

namespace orvex {

// RFC 4180 with LF line ends: a header line of column names, then one line
// per record; comma-separated, no separator after the last field, a field
// quoted only when it holds a comma, a quote or a line break. An absent
// value (the time of a frame that carries none) is an empty field.
class CsvRecordFormat : public RecordFormat {
public:
    std::string Header(DataFile file) const override;
    void AppendTlm(std::string& out, const TlmRecord& record) override;
    void AppendWod(std::string& out, const WodRecord& record) override;
    void AppendStatus(std::string& out, const StatusRecord& record) override;
    void AppendFrame(std::string& out, const FrameRecord& record) override;
};

// The field as RFC 4180 wants it.
void AppendCsvField(std::string& out, std::string_view text);

}  // namespace orvex

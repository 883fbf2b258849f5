#pragma once

#include <memory>

#include "outputs/data/record_format.h"

namespace orvex {

// JSON Lines: one JSON object per record and line, with a "type" field
// ("telemetry", "wod", "status", "frame") and the CSV columns' names as keys,
// in the same order; an absent value is left out. Numbers keep the digits the
// CSV gives them.
//
// Written with RapidJSON rather than Qt's QJsonDocument: a QJsonObject costs
// many times a whole CSV line per TLM record, which made the export of a
// long log take minutes (bench/README.md), and it sorts the keys.
class JsonLinesRecordFormat : public RecordFormat {
public:
    JsonLinesRecordFormat();
    ~JsonLinesRecordFormat() override;

    std::string Header(DataFile /*file*/) const override { return {}; }
    void AppendTlm(std::string& out, const TlmRecord& record) override;
    void AppendWod(std::string& out, const WodRecord& record) override;
    void AppendStatus(std::string& out, const StatusRecord& record) override;
    void AppendFrame(std::string& out, const FrameRecord& record) override;

private:
    class Line;
    std::unique_ptr<Line> line_;
};

}  // namespace orvex

#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "outputs/data/data_columns.h"
#include "outputs/data/data_options.h"
#include "outputs/data/data_records.h"

namespace orvex {

// How records become lines of the data files.
class RecordFormat {
public:
    virtual ~RecordFormat() = default;

    static std::unique_ptr<RecordFormat> Make(DataFormat format);

    // The frames file names each frame's source (FrameRecord::source) after
    // its other fields; set before the header is written.
    void NameFrameSources() { namesSources_ = true; }

    // What the file holds before its first record; may be empty.
    virtual std::string Header(DataFile file) const = 0;

    // Each appends one whole line.
    virtual void AppendTlm(std::string& out, const TlmRecord& record) = 0;
    virtual void AppendWod(std::string& out, const WodRecord& record) = 0;
    virtual void AppendStatus(std::string& out, const StatusRecord& record) = 0;
    virtual void AppendFrame(std::string& out, const FrameRecord& record) = 0;

protected:
    bool NamesSources() const { return namesSources_; }

private:
    bool namesSources_ = false;
};

}  // namespace orvex

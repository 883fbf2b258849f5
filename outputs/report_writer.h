#pragma once

#include <string>

#include "frames/frame_handler.h"
#include "outputs/output_options.h"
#include "outputs/report_file.h"
#include "outputs/tlm_report_lines.h"

namespace orvex {

class LocaleFormat;

// Writes each frame's block to the report while the options ask for the
// report: the user may switch it on or off while a log loads. With
// `blockByBlock`, each block reaches the file as soon as it is made, so that
// the report of a stream can be followed while it grows; otherwise the
// blocks are gathered into large writes.
class ReportWriter : public FrameHandler {
public:
    ReportWriter(ReportFile& file, const OutputOptions& options, const LocaleFormat& format,
                 const TlmReportLines& tlmLines, bool blockByBlock = false)
        : file_(file),
          options_(options),
          format_(format),
          tlmLines_(tlmLines),
          blockByBlock_(blockByBlock) {}

    void OnTextFrame(const TextFrame& frame) override;
    void OnTlmFrame(const TlmFrame& frame) override;
    void OnWodFrame(const WodFrame& frame) override;
    void OnHwsFrame(const HwsFrame& frame) override;
    void OnSwsFrame(const SwsFrame& frame) override;
    void OnToprFrame(const ToprFrame& frame) override;

private:
    // The text of a new block, or nullptr while the report is off.
    std::string* StartBlock();
    void EndBlock() { file_.EndBlock(blockByBlock_); }

    ReportFile& file_;
    const OutputOptions& options_;
    const LocaleFormat& format_;
    const TlmReportLines& tlmLines_;
    bool blockByBlock_;
};

}  // namespace orvex

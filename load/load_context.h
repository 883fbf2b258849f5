#pragma once

#include "archive/archive_target.h"
#include "outputs/output_options.h"
#include "outputs/tlm_report_lines.h"
#include "telemetry/wod_row_texts.h"

namespace orvex {

class LocaleFormat;

// What every load of a program run shares: the locale's texts, the tables
// made from them once, the caller's output options, and the archive its
// loads are added to, if any.
class LoadContext {
public:
    LoadContext(const LocaleFormat& format, const OutputOptions& options,
                ArchiveTarget* archive = nullptr)
        : format_(format),
          options_(options),
          tlmLines_(format),
          wodTexts_(format),
          archive_(archive) {}

    const LocaleFormat& Format() const { return format_; }
    const OutputOptions& Options() const { return options_; }
    const TlmReportLines& TlmLines() const { return tlmLines_; }
    const WodRowTexts& WodTexts() const { return wodTexts_; }
    ArchiveTarget* Archive() const { return archive_; }
    // The window's archive comes and goes with its setting, between loads.
    void SetArchive(ArchiveTarget* archive) { archive_ = archive; }

private:
    const LocaleFormat& format_;
    const OutputOptions& options_;
    const TlmReportLines tlmLines_;
    const WodRowTexts wodTexts_;
    ArchiveTarget* archive_;
};

}  // namespace orvex

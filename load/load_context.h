#pragma once

#include "outputs/output_options.h"
#include "outputs/tlm_report_lines.h"

namespace orvex {

class LocaleFormat;

// What every load of a program run shares: the locale's texts, the tables
// made from them once, and the caller's output options.
class LoadContext {
public:
    LoadContext(const LocaleFormat& format, const OutputOptions& options)
        : format_(format), options_(options), tlmLines_(format) {}

    const LocaleFormat& Format() const { return format_; }
    const OutputOptions& Options() const { return options_; }
    const TlmReportLines& TlmLines() const { return tlmLines_; }

private:
    const LocaleFormat& format_;
    const OutputOptions& options_;
    const TlmReportLines tlmLines_;
};

}  // namespace orvex

#include "outputs/report_writer.h"

#include "outputs/line_end.h"
#include "text/digits.h"
#include "text/locale_format.h"
#include "text/unix_time.h"

namespace orvex {

std::string* ReportWriter::StartBlock() {
    return options_.writeReport ? &file_.Out() : nullptr;
}

void ReportWriter::OnTextFrame(const TextFrame& frame) {
    std::string* out = StartBlock();
    if (out == nullptr) {
        return;
    }
    *out += '[';
    *out += FrameTypeName(frame.Type());
    *out += "] ";
    *out += frame.Text();
    EndLine(*out);
    EndLine(*out);
    EndBlock();
}

void ReportWriter::OnTlmFrame(const TlmFrame& frame) {
    std::string* out = StartBlock();
    if (out == nullptr) {
        return;
    }
    *out += "[TLM]         Timestamp: ";
    format_.AppendDateTime(*out, UnixTimeToDate(frame.Timestamp()));
    *out += " UTC";
    EndLine(*out);
    EndLine(*out);
    for (int channel = 0; channel < kChannelCount; ++channel) {
        *out += tlmLines_.Line(channel, frame.RawChannel(channel));
    }
    EndLine(*out);
    EndBlock();
}

void ReportWriter::OnWodFrame(const WodFrame& frame) {
    std::string* out = StartBlock();
    if (out == nullptr) {
        return;
    }
    for (int k = 0; k < WodFrame::kSampleCount; ++k) {
        const WodFrame::Sample sample = frame.SampleAt(k);
        *out += "[WOD] ";
        format_.AppendDateTime(*out, UnixTimeToDate(sample.timestamp));
        *out += "  [";
        AppendHexByte(*out, sample.extra);
        *out += "]  ";
        AppendHexBytes(*out, sample.raw.data(), sample.raw.size());
        EndLine(*out);
    }
    EndLine(*out);
    EndBlock();
}

}  // namespace orvex

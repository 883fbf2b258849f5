// The report blocks of the status frames: hardware status, software status
// and transmitter operation.
#include <span>

#include "frames/frame_text.h"
#include "frames/transmitter_modes.h"
#include "outputs/line_end.h"
#include "outputs/report_writer.h"
#include "text/digits.h"
#include "text/locale_format.h"
#include "text/unix_time.h"

namespace orvex {
namespace {

constexpr std::string_view kSeparator = "  |  ";

// The tag, the frame's hex text from offset 7, the line end, an empty line.
void AppendTaggedHexLines(std::string& out, std::string_view tag, const Frame& frame) {
    out += tag;
    AppendFrameHexFrom(out, frame, layout::kBody);
    EndLine(out);
    EndLine(out);
}

// A three-byte register group as six hex digits, most significant first.
void AppendRegisterGroup(std::string& out, std::uint32_t group) {
    AppendHexByte(out, static_cast<std::uint8_t>(group >> 16));
    AppendHexByte(out, static_cast<std::uint8_t>(group >> 8));
    AppendHexByte(out, static_cast<std::uint8_t>(group));
}

// "[SWS]" and the named decimal values, separated by "  |  ".
void AppendFieldLine(std::string& out, const SwsFrame& frame, std::span<const ByteField> fields) {
    out += "[SWS]";
    bool first = true;
    for (const ByteField& field : fields) {
        if (!first) {
            out += kSeparator;
        }
        first = false;
        out += field.name;
        out += ": ";
        AppendDecimal(out, frame.Byte(field));
    }
    EndLine(out);
}

}  // namespace

void ReportWriter::OnHwsFrame(const HwsFrame& frame) {
    std::string* out = StartBlock();
    if (out == nullptr) {
        return;
    }
    *out += "[HWS]Timestamp: ";
    format_.AppendDateTime(*out, UnixTimeToDate(frame.Timestamp()));
    *out += " - ";
    AppendFrameHexFrom(*out, frame.Bytes(), HwsFrame::kRegistersOffset);
    EndLine(*out);

    *out += "[HWS]";
    bool first = true;
    for (const ByteField& group : HwsFrame::kRegisterGroups) {
        if (!first) {
            *out += kSeparator;
        }
        first = false;
        *out += group.name;
        *out += ": ";
        AppendRegisterGroup(*out, frame.RegisterGroup(group));
    }
    EndLine(*out);

    for (const HwsFrame::Flag& flag : HwsFrame::kTransmitterFlags) {
        if (frame.IsSet(flag)) {
            *out += "[HWS]";
            *out += flag.name;
            *out += " ON";
            EndLine(*out);
        }
    }
    EndLine(*out);
    EndBlock();
}

void ReportWriter::OnSwsFrame(const SwsFrame& frame) {
    std::string* out = StartBlock();
    if (out == nullptr) {
        return;
    }
    AppendTaggedHexLines(*out, "[SWS]", frame.Bytes());
    AppendFieldLine(*out, frame, SwsFrame::kSettings);
    AppendFieldLine(*out, frame, SwsFrame::kWatchdogs);
    EndLine(*out);
    AppendFieldLine(*out, frame, {&SwsFrame::kWodVersion, 1});
    *out += "[SWS]WOC Channel: ";
    for (int index = 0; index < SwsFrame::kWodChannelCount; ++index) {
        AppendDecimal(*out, frame.WodChannel(index));
        *out += ", ";
    }
    EndLine(*out);
    AppendFieldLine(*out, frame, SwsFrame::kSetPoints);
    EndLine(*out);
    for (int pair = 1; pair <= SwsFrame::kTeprCount; ++pair) {
        *out += "[SWS]TEPR";
        AppendDecimal(*out, pair);
        AppendPrintNumber(*out, frame.TeprFirst(pair));
        AppendPrintNumber(*out, frame.TeprSecond(pair));
        EndLine(*out);
    }
    EndLine(*out);
    EndBlock();
}

void ReportWriter::OnToprFrame(const ToprFrame& frame) {
    std::string* out = StartBlock();
    if (out == nullptr) {
        return;
    }
    AppendTaggedHexLines(*out, "[TOPR]", frame.Bytes());
    for (int state = 1; state <= ToprFrame::kStateCount; ++state) {
        *out += "[TOPR]TOPR State ";
        AppendDecimal(*out, state);
        *out += ": ";
        AppendPrintNumber(*out, frame.StateValue(state));
        *out += TxModeText(frame.StateMode(state));
        EndLine(*out);
    }
    EndLine(*out);
    EndBlock();
}

}  // namespace orvex

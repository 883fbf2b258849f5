#include "frames/frame_decoders.h"
#include "frames/status_block.h"
#include "input/field_helpers.h"

namespace orvex {
namespace {

constexpr std::size_t kTimeOffset = 7;
constexpr std::size_t kHexFrom = 11;
constexpr const char* kSeparator = "  |  ";

// A three-byte register group, most significant byte first.
void AppendGroup(std::string& out, const Frame& frame, std::string_view label, std::size_t low) {
    out += label;
    AppendHexByte(out, frame[low + 2]);
    AppendHexByte(out, frame[low + 1]);
    AppendHexByte(out, frame[low]);
}

void AppendFlagLine(std::string& out, bool set, std::string_view text) {
    if (set) {
        out += "[HWS]";
        out += text;
        EndLine(out);
    }
}

}  // namespace

void DecodeHwsFrame(DecoderState& state) {
    WriteStatusBlock(state, [&format = state.format](std::string& out, const Frame& frame) {
        out += "[HWS]Timestamp: ";
        format.AppendDateTime(out, UnixTimeToDate(frame.TimestampAt(kTimeOffset)));
        out += " - ";
        AppendHexText(out, frame, kHexFrom);
        EndLine(out);

        out += "[HWS]";
        AppendGroup(out, frame, "RXAART: ", 11);
        out += kSeparator;
        AppendGroup(out, frame, "TXAART: ", 14);
        out += kSeparator;
        AppendGroup(out, frame, "BCAART: ", 17);
        out += kSeparator;
        AppendGroup(out, frame, "ModemAART: ", 20);
        EndLine(out);

        AppendFlagLine(out, frame[12] & 0x20, "TXC Exciter ON");
        AppendFlagLine(out, frame[22] & 0x08, "TXC 5V HPA ON");
        AppendFlagLine(out, frame[22] & 0x01, "TXC 8.5V HPA ON");
        AppendFlagLine(out, frame[22] & 0x04, "TXC 10V HPA ON");
        EndLine(out);
    });
}

}  // namespace orvex

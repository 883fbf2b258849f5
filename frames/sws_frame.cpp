#include <array>
#include <initializer_list>
#include <utility>

#include "frames/frame_decoders.h"
#include "frames/status_block.h"
#include "input/field_helpers.h"

namespace orvex {
namespace {

using Field = std::pair<std::string_view, std::size_t>;  // label, offset

// "[SWS]" and the labelled decimal values, separated by "  |  ".
void AppendFieldLine(std::string& out, const Frame& frame, std::initializer_list<Field> fields) {
    out += "[SWS]";
    bool first = true;
    for (const auto& [label, offset] : fields) {
        if (!first) {
            out += "  |  ";
        }
        first = false;
        out += label;
        AppendDecimal(out, frame[offset]);
    }
    EndLine(out);
}

}  // namespace

std::string_view TxModeText(std::uint8_t mode) {
    static constexpr std::array<std::string_view, 7> kModes = {
        "OFF = Transmitters are turned off",
        "Digital Low   = NO Uplink  ==>  10mW 436.797MHz AFSK Downlink",
        "Digital Med   = NO Uplink  ==> 500mW 436.797MHz AFSK Downlink",
        "Digital High  = NO Uplink  ==>   4W  436.797MHz AFSK Downlink",
        "Analogue Low  = 145.850MHz Uplink <==>  10mW 436.797MHz Downlink",
        "Analogue Med  = 145.850MHz Uplink <==> 500mW 436.797MHz Downlink",
        "Analogue High = 145.850MHz Uplink <==>   4W  436.797MHz Downlink",
    };
    return mode < kModes.size() ? kModes[mode] : "UNKOWN";
}

void DecodeSwsFrame(DecoderState& state) {
    WriteStatusBlock(state, [](std::string& out, const Frame& frame) {
        AppendTaggedHexLines(out, "[SWS]", frame);
        AppendFieldLine(out, frame,
                        {{"Digi: ", 7},
                         {"TXMode: ", 8},
                         {"WODGather: ", 9},
                         {"TOTOut: ", 27},
                         {"TOTOver: ", 28}});
        AppendFieldLine(out, frame, {{"WDOG0: ", 38}, {"WDOG1: ", 39}, {"WDOG2: ", 40}});
        EndLine(out);
        AppendFieldLine(out, frame, {{"WOD Version: ", 43}});
        out += "[SWS]WOC Channel: ";
        for (std::size_t offset = 44; offset <= 53; ++offset) {
            AppendDecimal(out, frame[offset]);
            out += ", ";
        }
        EndLine(out);
        AppendFieldLine(out, frame,
                        {{"SPSUN: ", 54}, {"SPECL: ", 55}, {"ECCO: ", 60}, {"EVCO: ", 61}});
        EndLine(out);
        for (std::size_t k = 1; k <= 6; ++k) {
            out += "[SWS]TEPR";
            AppendDecimal(out, static_cast<std::int64_t>(k));
            AppendPrintNumber(out, frame[61 + k]);
            AppendPrintNumber(out, frame[73 + k]);
            EndLine(out);
        }
        EndLine(out);
    });
}

}  // namespace orvex

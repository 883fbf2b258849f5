#include "input/field_helpers.h"
#include "telemetry/calibration.h"
#include "telemetry/telemetry_decoders.h"

namespace orvex {
namespace {

constexpr std::size_t kTimeOffset = 7;
constexpr std::size_t kFirstChannelOffset = 56;  // channel i at 56 + 2 i
constexpr std::size_t kVersionOffset = 132;

std::uint8_t RawChannelByte(const Frame& frame, int channel) {
    return frame[kFirstChannelOffset + 2 * static_cast<std::size_t>(channel)];
}

void WriteTlmBlock(DecoderState& state, std::uint32_t timestamp) {
    const Frame& frame = state.frame;
    std::string& out = state.report.Out();
    out += "[TLM]         Timestamp: ";
    state.format.AppendDateTime(out, UnixTimeToDate(timestamp));
    out += " UTC";
    EndLine(out);
    EndLine(out);
    for (int i = 0; i < kChannelCount; ++i) {
        out += state.valueTexts.TlmReportLine(i, RawChannelByte(frame, i));
    }
    EndLine(out);
    state.report.EndBlock();
}

}  // namespace

void DecodeTlmFrame(DecoderState& state) {
    ++state.FrameCount;
    const Frame& frame = state.frame;

    TelemetryRecord unkept;
    TelemetryRecord* record = &unkept;
    if (state.records.IsFull()) {
        ++state.tlmFramesNotKept;
    } else {
        record = &state.records.AddRecord();
    }
    record->Timestamp = frame.TimestampAt(kTimeOffset);
    const auto& calibration = CalibrationTable();
    for (int i = 0; i < kChannelCount; ++i) {
        record->Value[i] = calibration[i][RawChannelByte(frame, i)];
    }

    std::string& version = state.scratch;
    version = "Software Version ";
    AppendDecimal(version, frame[kVersionOffset]);
    state.window.SetText3(1, version);

    if (state.ReportEnabled()) {
        WriteTlmBlock(state, record->Timestamp);
    }
}

}  // namespace orvex

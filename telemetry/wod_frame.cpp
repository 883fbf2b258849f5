#include "input/field_helpers.h"
#include "telemetry/telemetry_decoders.h"

namespace orvex {
namespace {

constexpr std::size_t kFirstSampleOffset = 7;
constexpr std::size_t kSampleSize = 15;
constexpr int kSamplesPerFrame = 3;

}  // namespace

void DecodeWodFrame(DecoderState& state) {
    const bool report = state.ReportEnabled();
    std::string* out = report ? &state.report.Out() : nullptr;
    ++state.FrameCount;
    const Frame& frame = state.frame;

    for (int k = 0; k < kSamplesPerFrame; ++k) {
        const std::size_t s = kFirstSampleOffset + kSampleSize * static_cast<std::size_t>(k);
        const DateValue date = UnixTimeToDate(frame.TimestampAt(s));
        WodSample sample;
        // Frame times always give a date; the empty value would read 00:00:00.
        sample.secondOfDay = date ? static_cast<std::uint32_t>(date->SecondOfDay()) : 0;
        for (int j = 0; j < kWodSlotCount; ++j) {
            sample.raw[j] = frame[s + 5 + static_cast<std::size_t>(j)];
        }
        if (out != nullptr) {
            *out += "[WOD] ";
            state.format.AppendDateTime(*out, date);
            *out += "  [";
            AppendHexByte(*out, frame[s + 4]);
            *out += "]  ";
            AppendHexBytes(*out, sample.raw.data(), sample.raw.size());
            EndLine(*out);
        }
        state.List2.Add(sample);
    }
    if (out != nullptr) {
        EndLine(*out);
        state.report.EndBlock();
    }
}

}  // namespace orvex

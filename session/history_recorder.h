#pragma once

#include "frames/frame_handler.h"
#include "frames/telemetry_frames.h"
#include "telemetry/telemetry_history.h"

namespace orvex {

// Keeps every TLM frame's time, raw channel bytes and how many of them the
// frame held in a history, for the chart and the panel. Only the window
// records one: the command line charts nothing and keeps its memory flat.
class HistoryRecorder : public FrameHandler {
public:
    explicit HistoryRecorder(TelemetryHistory& history) : history_(history) {}

    void OnTlmFrame(const TlmFrame& frame) override {
        TelemetryHistory::RawChannels raw;
        int held = 0;
        for (int channel = 0; channel < kChannelCount; ++channel) {
            raw[channel] = frame.RawChannel(channel);
            held += frame.HoldsChannel(channel) ? 1 : 0;
        }
        history_.Add(frame.Timestamp(), raw, held);
    }

private:
    TelemetryHistory& history_;
};

}  // namespace orvex

#pragma once

#include "frames/frame_handler.h"
#include "telemetry/telemetry_history.h"

namespace orvex {

// Keeps every TLM frame's time and raw channel bytes in a history, for the
// chart. Only the window records one: the command line charts nothing and
// keeps its memory flat.
class HistoryRecorder : public FrameHandler {
public:
    explicit HistoryRecorder(TelemetryHistory& history) : history_(history) {}

    void OnTlmFrame(const TlmFrame& frame) override {
        TelemetryHistory::RawChannels raw;
        for (int channel = 0; channel < kChannelCount; ++channel) {
            raw[channel] = frame.RawChannel(channel);
        }
        history_.Add(frame.Timestamp(), raw);
    }

private:
    TelemetryHistory& history_;
};

}  // namespace orvex

#pragma once

#include <string>
#include <vector>

#include "session/decoder_display.h"
#include "telemetry/telemetry_history.h"

namespace orvex {

class LocaleFormat;

// Shows TLM record `number` (1 for the first) of the history in the panel:
// each channel's value, calibrated from the byte the history holds (an
// earlier frame's, where a short frame did not reach the channel, as the
// report shows it), and the record's date and time. A number that holds no
// record empties them.
void ShowRecord(DecoderDisplay& display, const LocaleFormat& format,
                const TelemetryHistory& history, int number);

// The number (1 for the first) of the first record of the history whose
// frame held `channel` with the sample's time and calibrated value, as a
// chart draws it; 0 for none.
int RecordNumberOf(const TelemetryHistory& history, int channel, const HistoryPoint& sample);

// The chart frame's caption. For one channel its name, then " [ ", its unit,
// " ] "; for several each name without its padding and its unit in brackets,
// one after another: "Battery 0 [ V ], TX A RF Output [ mW ]".
std::string ChartCaption(const std::vector<int>& channels);

}  // namespace orvex

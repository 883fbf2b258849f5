#pragma once

#include <string>
#include <vector>

#include "session/decoder_display.h"
#include "telemetry/record_store.h"

namespace orvex {

class LocaleFormat;

// Shows record `number` in the panel: each channel's value and the record's
// date and time. A number that holds no record of this log empties them.
void ShowRecord(DecoderDisplay& display, const LocaleFormat& format, const RecordStore& records,
                int number);

// The chart frame's caption. For one channel its name, then " [ ", its unit,
// " ] "; for several each name without its padding and its unit in brackets,
// one after another: "Battery 0 [ V ], TX A RF Output [ mW ]".
std::string ChartCaption(const std::vector<int>& channels);

}  // namespace orvex

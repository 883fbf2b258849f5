#pragma once

#include <string>
#include <vector>

#include "load/decoder_display.h"
#include "telemetry/record_store.h"

namespace orvex {

class LocaleFormat;

// Shows record `number` in the panel: each channel's value and the record's
// date and time. A number that holds no record of this log empties them.
void ShowRecord(DecoderDisplay& display, const LocaleFormat& format, const RecordStore& records,
                int number);

// The chart frame's caption: the channel's name, then " [ ", its unit, " ] ".
std::string ChartCaption(int channel);
// One point per stored record, in record order, under the record's time of
// day.
std::vector<ChartPoint> ChartPoints(const LocaleFormat& format, const RecordStore& records,
                                    int channel);

}  // namespace orvex

#pragma once

#include <string>

#include "input/decoder_state.h"

namespace orvex {

// The texts of the status channels, shared by the panel and the report.
void AppendEclipseText(std::string& out, double value);  // "NO [0]" or "YES [n]"
void AppendStatusText(std::string& out, double value);   // plain decimal

// Shows record `index` in the panel; an index that holds no record of this
// log empties the value fields and the time field.
void ShowRecord(DecoderState& state, int index);

// Frame1's caption and one chart point per stored record, in record order.
void ShowChannelChart(DecoderState& state, int channel);

}  // namespace orvex

#pragma once

#include <QString>

#include "load/load_outcome.h"

namespace orvex {

// What the user must hear after a load: every file that could not be read or
// written, and the TLM records the window could not keep. Empty when the load
// went as it should.
QString LoadMessageText(const LoadOutcome& outcome);

// What the Export Data command tells: every file that could not be read or
// written, or the files written.
QString DataExportMessageText(const LoadOutcome& outcome);

// The frame counter's tooltip after a load: the frames read and decoded,
// the log's bad bytes, and the TLM records the window did not keep.
QString FrameCounterToolTip(const LoadOutcome& outcome);

}  // namespace orvex

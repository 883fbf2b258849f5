#pragma once

#include "kiss/log_source.h"
#include "load/load_outcome.h"

namespace orvex {

class LoadProgress;
class LogLoad;
class Recording;

// Decodes a live stream with `load`, made for the recording's path, while
// every byte the reader gets is first appended to the recording: opening
// the recorded log later gives the same report and WOD export. A failure to
// record is told among the outcome's problems.
LoadOutcome DecodeWhileRecording(LogLoad& load, LogSource& live, Recording& recording,
                                 LoadProgress* progress);

}  // namespace orvex

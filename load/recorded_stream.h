#pragma once

#include <functional>

#include "kiss/load_pacing.h"
#include "kiss/log_source.h"
#include "load/load_outcome.h"

namespace orvex {

class LogLoad;
class Recording;

// Runs a live stream's load while every byte the reader gets is first
// appended to the recording: opening the recorded log later gives the same
// report and WOD export. The planned recording begins when the first byte
// arrives, and only then is the load named after it and run, with `begun`
// called before: a stream that sent none leaves no file and an outcome that
// did not run. A failure to record is told among the outcome's problems.
LoadOutcome RunRecordedStream(LogLoad& load, LogSource& live, Recording& recording,
                              LoadPacing* pacing, const std::function<void()>& begun = {});

}  // namespace orvex

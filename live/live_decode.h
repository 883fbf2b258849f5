#pragma once

#include <functional>

#include "kiss/log_source.h"
#include "load/load_outcome.h"

namespace orvex {

class LoadProgress;
class LogLoad;
class Recording;

// Decodes the recorded stream it is given: a load run, or the window's
// session following the stream.
using RecordedStreamDecoder =
    std::function<LoadOutcome(LogSource& recorded, const FileIdentity& identity)>;

// Decodes a live stream while every byte the reader gets is first appended
// to the recording: opening the recorded log later gives the same report
// and WOD export. The planned recording begins, and the decoder is called
// for it, when the first byte arrives: a stream that sent none leaves no
// file and an outcome that did not run. A failure to record is told among
// the outcome's problems.
LoadOutcome DecodeWhileRecording(const RecordedStreamDecoder& decode, LogSource& live,
                                 Recording& recording);
// The same with `load`, made for a recording planned as a file.
LoadOutcome DecodeWhileRecording(LogLoad& load, LogSource& live, Recording& recording,
                                 LoadProgress* progress);

}  // namespace orvex

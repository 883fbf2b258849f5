#pragma once

#include <iosfwd>

#include "cli/live_input.h"

namespace orvex {

class FrameSharer;
class LoadContext;
class StopSignals;

// Decodes a stream while recording it, until the stream ends or a stop
// signal, which ends the stream as its sender closing it would: the report
// is whole, the WOD export written. Hands each frame to `sharer`, if any.
// Tells the link's changes on `err` and prints the recorded log's summary.
// Returns 0, or 1 when the recording or an output failed.
int RunLiveDecode(const LiveInput& input, const LoadContext& context, const StopSignals& stop,
                  FrameSharer* sharer, std::ostream& out, std::ostream& err, bool json);

}  // namespace orvex

#pragma once

#include <cstdint>

#include "tools/synth/byte_sink.h"
#include "tools/synth/synth_options.h"

namespace orvex::synth {

struct LogSummary {
    std::uint64_t frames = 0;
    std::uint64_t bytes = 0;
};

// Writes the log that the options describe, up to the first limit reached.
LogSummary WriteLog(const SynthOptions& options, ByteSink& sink);

}  // namespace orvex::synth

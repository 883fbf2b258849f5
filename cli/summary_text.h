#pragma once

#include <iosfwd>
#include <string>

#include "load/load_outcome.h"

namespace orvex {

// A decoded log's line and, when the log held anything but good frames, a
// line that counts it; or, with `json`, the one JSON object. A note on `err`
// when TLM frames were not kept as records.
void PrintLogSummary(std::ostream& out, std::ostream& err, const std::string& path,
                     const LoadOutcome& outcome, bool json);

}  // namespace orvex

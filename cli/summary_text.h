#pragma once

#include <iosfwd>
#include <string>

#include "load/load_outcome.h"

namespace orvex {

// A decoded log's line and, when the log held anything but good frames, a
// line that counts it; or, with `json`, the one JSON object.
void PrintLogSummary(std::ostream& out, const std::string& path, const LoadOutcome& outcome,
                     bool json);

}  // namespace orvex

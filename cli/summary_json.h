#pragma once

#include <string>

#include "load/load_outcome.h"

namespace orvex {

// A log's whole summary as one JSON object on one line, for scripts: what
// was decoded, kept and written, the account of its bad bytes and the
// problems met. Paths are turned from the file system's encoding into UTF-8.
std::string SummaryJson(const std::string& logPath, const LoadOutcome& outcome);

}  // namespace orvex

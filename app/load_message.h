#pragma once

#include <QString>

#include "load/load_outcome.h"

namespace orvex {

// What the user must hear after a load: every file that could not be read or
// written, and the TLM records the window could not keep. Empty when the load
// went as it should.
QString LoadMessageText(const LoadOutcome& outcome);

}  // namespace orvex

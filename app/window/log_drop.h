#pragma once

#include <QString>

class QMimeData;

namespace orvex {

// The log a drag carries: one local file that is not a folder. Empty for
// anything else (several files, a folder, a web address, text), which the
// window refuses.
QString DroppedLogPath(const QMimeData& data);

}  // namespace orvex

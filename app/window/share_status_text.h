#pragma once

#include <QCoreApplication>
#include <QString>

#include "load/load_outcome.h"
#include "share/share_settings.h"

namespace orvex {

// What the status line says of sharing: each server's frames taken and
// waiting in one short line, a failing server with its last answer, and the
// whole story in the tooltip; and after a load, what of it could be shared.
class ShareStatusText {
    Q_DECLARE_TR_FUNCTIONS(orvex::ShareStatusText)

public:
    // "db.satnogs.org: 120 taken, 3 waiting", "...: 0 taken, 5 waiting,
    // failing: 503 Service Unavailable"
    static QString Line(const ShareStatus& status);
    static QString ToolTip(const ShareStatus& status);
    // "203 frames to share.", "Not shared: ..."; empty when nothing was to
    // be shared.
    static QString AfterLoad(const SharedFrames& shared);
};

}  // namespace orvex

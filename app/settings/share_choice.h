#pragma once

#include <QStringList>

namespace orvex {

// SatNOGS DB's endpoint for frames, offered in Settings > Share Frames.
inline constexpr char kSatnogsDbUrl[] = "https://db.satnogs.org/api/telemetry/";

// Settings > Share Frames: whether every frame received is shared, and with
// which telemetry servers. Off at first; remembered for the next run.
struct ShareChoice {
    bool enabled = false;
    QStringList servers;  // their URLs, keys included

    static ShareChoice Remembered();
    void Remember() const;
};

}  // namespace orvex

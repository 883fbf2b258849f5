#pragma once

#include <QString>

#include <optional>

#include "share/station.h"

namespace orvex {

// Settings > Station: the station as telemetry servers know it, and the
// satellite's NORAD catalogue number, as the user typed them. Remembered for
// the next run; sent nowhere unless sharing is on.
struct StationChoice {
    QString callsign;
    QString location;  // "52.52,13.405"
    QString noradId;

    static StationChoice Remembered();
    void Remember() const;

    // Each field is empty or reads: a station may be told a field at a time.
    bool IsValid() const;
    // The station, once every field is given and reads.
    std::optional<Station> ToStation() const;
};

}  // namespace orvex

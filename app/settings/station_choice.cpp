#include "app/settings/station_choice.h"

#include <QSettings>

namespace orvex {
namespace {

const QString kCallsignKey = QStringLiteral("station/callsign");
const QString kLocationKey = QStringLiteral("station/location");
const QString kNoradIdKey = QStringLiteral("station/noradId");

std::string Text(const QString& field) {
    return field.trimmed().toStdString();
}

}  // namespace

StationChoice StationChoice::Remembered() {
    const QSettings settings;
    return {settings.value(kCallsignKey).toString(), settings.value(kLocationKey).toString(),
            settings.value(kNoradIdKey).toString()};
}

void StationChoice::Remember() const {
    QSettings settings;
    settings.setValue(kCallsignKey, callsign.trimmed());
    settings.setValue(kLocationKey, location.trimmed());
    settings.setValue(kNoradIdKey, noradId.trimmed());
}

bool StationChoice::IsValid() const {
    return (callsign.trimmed().isEmpty() || IsCallsign(Text(callsign))) &&
           (location.trimmed().isEmpty() || ParseLocation(Text(location))) &&
           (noradId.trimmed().isEmpty() || ParseNoradId(Text(noradId)));
}

std::optional<Station> StationChoice::ToStation() const {
    const std::optional<Location> place = ParseLocation(Text(location));
    const std::optional<std::uint32_t> number = ParseNoradId(Text(noradId));
    if (!IsCallsign(Text(callsign)) || !place || !number) {
        return std::nullopt;
    }
    return Station{Text(callsign), place->latitude, place->longitude, *number};
}

}  // namespace orvex

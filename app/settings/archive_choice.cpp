#include "app/settings/archive_choice.h"

#include <QSettings>
#include <QSysInfo>

namespace orvex {
namespace {

const QString kEnabledKey = QStringLiteral("archive/enabled");
const QString kLocationKey = QStringLiteral("archive/location");
const QString kStationKey = QStringLiteral("archive/station");

}  // namespace

ArchiveChoice ArchiveChoice::Remembered() {
    const QSettings settings;
    ArchiveChoice choice;
    choice.enabled = settings.value(kEnabledKey, false).toBool();
    choice.location =
        settings
            .value(kLocationKey, QString::fromLocal8Bit(DefaultArchiveLocation().Shown().c_str()))
            .toString();
    // The command line's default station too.
    choice.station = settings.value(kStationKey, QSysInfo::machineHostName()).toString();
    return choice;
}

void ArchiveChoice::Remember() const {
    QSettings settings;
    settings.setValue(kEnabledKey, enabled);
    settings.setValue(kLocationKey, location);
    settings.setValue(kStationKey, station);
}

bool ArchiveChoice::IsComplete() const {
    return !Location().target.empty() && !station.trimmed().isEmpty();
}

ArchiveLocation ArchiveChoice::Location() const {
    return ParseArchiveLocation(location.trimmed().toLocal8Bit().toStdString());
}

}  // namespace orvex

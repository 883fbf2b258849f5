#include "app/settings/share_choice.h"

#include <QSettings>

namespace orvex {
namespace {

const QString kEnabledKey = QStringLiteral("share/enabled");
const QString kServersKey = QStringLiteral("share/servers");

}  // namespace

ShareChoice ShareChoice::Remembered() {
    const QSettings settings;
    return {settings.value(kEnabledKey, false).toBool(),
            settings.value(kServersKey).toStringList()};
}

void ShareChoice::Remember() const {
    QSettings settings;
    settings.setValue(kEnabledKey, enabled);
    settings.setValue(kServersKey, servers);
}

}  // namespace orvex

#include "app/settings/recent_logs.h"

#include <QFileInfo>
#include <QSettings>

namespace orvex {
namespace {

const QString kPathsKey = QStringLiteral("recentLogs");
const QString kFolderKey = QStringLiteral("lastLogFolder");

}  // namespace

QStringList RecentLogs::Paths() const {
    return QSettings().value(kPathsKey).toStringList().mid(0, kCapacity);
}

QString RecentLogs::LastFolder() const {
    return QSettings().value(kFolderKey).toString();
}

void RecentLogs::Add(const QString& path) {
    QStringList paths = Paths();
    paths.removeAll(path);
    paths.prepend(path);
    QSettings settings;
    settings.setValue(kPathsKey, paths.mid(0, kCapacity));
    settings.setValue(kFolderKey, QFileInfo(path).absolutePath());
}

void RecentLogs::Remove(const QString& path) {
    QStringList paths = Paths();
    if (paths.removeAll(path) > 0) {
        QSettings().setValue(kPathsKey, paths);
    }
}

}  // namespace orvex

#include "app/settings/recent_logs_menu.h"

#include <QDir>
#include <QFileInfo>

#include "app/window/object_names.h"

namespace orvex {

RecentLogsMenu::RecentLogsMenu(QWidget* parent) : QMenu(tr("&Recent Files"), parent) {
    setObjectName(object_name::kRecentFilesMenu);
    Fill();
}

void RecentLogsMenu::AfterOpen(const QString& path, bool read) {
    if (path.isEmpty()) {
        return;
    }
    if (read) {
        logs_.Add(path);
    } else if (!QFileInfo::exists(path)) {
        logs_.Remove(path);
    }
    Fill();
}

void RecentLogsMenu::Fill() {
    clear();
    const QStringList paths = logs_.Paths();
    int number = 0;
    for (const QString& path : paths) {
        // An '&' in a path is text, not a mnemonic.
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        addAction(QStringLiteral("&%1 %2").arg(++number).arg(shown), this,
                  [this, path] { emit LogChosen(path); });
    }
    setEnabled(!paths.isEmpty());
}

}  // namespace orvex

#pragma once

#include <QMenu>

#include "app/settings/recent_logs.h"

namespace orvex {

// File > Recent Files: one item per recent log, newest first, numbered for
// the keyboard; choosing one asks for that log to be opened.
class RecentLogsMenu : public QMenu {
    Q_OBJECT
public:
    explicit RecentLogsMenu(QWidget* parent);

    QString LastFolder() const { return logs_.LastFolder(); }
    // After an open of `path`: on top when the log was read, off the list
    // when it no longer exists (a log that could not be read for another
    // reason, say a drive not mounted, keeps its place).
    void AfterOpen(const QString& path, bool read);

signals:
    void LogChosen(const QString& path);

private:
    void Fill();

    RecentLogs logs_;
};

}  // namespace orvex

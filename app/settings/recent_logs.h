#pragma once

#include <QString>
#include <QStringList>

namespace orvex {

// The logs opened last, newest first, and the folder of the last one, kept
// between runs in the user's settings. Nothing else of the window is kept:
// every other setting starts as it always has.
class RecentLogs {
public:
    static constexpr int kCapacity = 8;

    QStringList Paths() const;
    // Where the file dialog starts; empty before the first log.
    QString LastFolder() const;
    // A log was read: it goes on top of the list, once, and its folder is
    // remembered.
    void Add(const QString& path);
    void Remove(const QString& path);
};

}  // namespace orvex

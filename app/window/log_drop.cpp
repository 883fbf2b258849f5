#include "app/window/log_drop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace orvex {

QString DroppedLogPath(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    const QString path = urls.front().toLocalFile();
    return QFileInfo(path).isDir() ? QString() : path;
}

}  // namespace orvex

#include "app/window/share_status_text.h"

#include <QStringList>
#include <QUrl>

namespace orvex {
namespace {

QString Host(const ServerStatus& server) {
    return QUrl(QString::fromStdString(server.server)).host();
}

}  // namespace

QString ShareStatusText::Line(const ShareStatus& status) {
    if (!status.problem.empty()) {
        return tr("Sharing stopped");
    }
    QStringList servers;
    for (const ServerStatus& server : status.servers) {
        QString text =
            tr("%1: %2 taken, %3 waiting").arg(Host(server)).arg(server.taken).arg(server.waiting);
        if (!server.failing.empty()) {
            text += tr(", failing: %1").arg(QString::fromStdString(server.failing));
        }
        servers.append(text);
    }
    return servers.join(QStringLiteral("; "));
}

QString ShareStatusText::ToolTip(const ShareStatus& status) {
    QStringList lines;
    if (!status.problem.empty()) {
        lines.append(QString::fromStdString(status.problem));
    }
    for (const ServerStatus& server : status.servers) {
        const QString name = QString::fromStdString(server.server);
        lines.append(tr("%1 took %2 frames since the start; %3 wait")
                         .arg(name)
                         .arg(server.taken)
                         .arg(server.waiting));
        if (server.setAside > 0) {
            lines.append(
                tr("%1 refused %2 frames, which are kept aside").arg(name).arg(server.setAside));
        }
        if (!server.failing.empty()) {
            lines.append(tr("%1 does not take frames: %2; they are tried again later")
                             .arg(name, QString::fromStdString(server.failing)));
        } else if (server.sentByOther) {
            lines.append(tr("%1: another program sends its frames").arg(name));
        }
    }
    return lines.join('\n');
}

QString ShareStatusText::AfterLoad(const SharedFrames& shared) {
    if (shared.withoutReceptionTime == 0) {
        if (shared.frames == 0) {
            return {};
        }
        return shared.frames == 1 ? tr("1 frame to share.")
                                  : tr("%1 frames to share.").arg(shared.frames);
    }
    if (shared.frames == 0) {
        return tr(
            "Not shared: the log holds no reception times, as only gr-satellites' "
            "timestamp frames give them.");
    }
    return tr("%1 frames to share; %2 not, as no timestamp frame came before them.")
        .arg(shared.frames)
        .arg(shared.withoutReceptionTime);
}

}  // namespace orvex

#include "app/window/greyed_choices.h"

#include <QAction>
#include <QMenu>

#include "app/window/object_names.h"

namespace orvex {
namespace {

void ExplainWhenGreyed(QAction* action, const QString& why) {
    const auto follow = [action, why](bool enabled) {
        action->setToolTip(enabled ? QString() : why);
    };
    QObject::connect(action, &QAction::enabledChanged, action, follow);
    follow(action->isEnabled());
}

}  // namespace

void GreyedChoices::Explain(QWidget* window) {
    const QString whileBusy = tr("Not while a log is read or a stream is followed");
    const QString nothingCharted = tr("Nothing is charted: open a log and choose a channel");
    const struct {
        const char* name;
        QString why;
    } reasons[] = {
        {object_name::kOpenAction, whileBusy},
        {object_name::kConnectAction, whileBusy},
        {object_name::kArchiveAction, whileBusy},
        {object_name::kExportDataAction, tr("Open a log first; not while one is read")},
        {object_name::kDisconnectAction, tr("Not connected to a TNC")},
        {object_name::kSavePngAction, nothingCharted},
        {object_name::kSaveSvgAction, nothingCharted},
    };
    for (const auto& reason : reasons) {
        if (auto* action = window->findChild<QAction*>(QString::fromLatin1(reason.name))) {
            ExplainWhenGreyed(action, reason.why);
        }
    }
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        menu->setToolTipsVisible(true);
    }
}

}  // namespace orvex

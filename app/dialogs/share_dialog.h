#pragma once

#include <QDialog>

#include "app/settings/share_choice.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvex {

// Settings > Share Frames' dialog: whether every frame received is shared,
// and the telemetry servers it goes to, SatNOGS DB offered by a button.
class ShareDialog : public QDialog {
    Q_OBJECT
public:
    ShareDialog(const ShareChoice& start, QWidget* parent);

    ShareChoice Choice() const;

private:
    void LayOut();
    void AddServer(const QString& url);
    void RemoveServer();
    // Add only with an address, Remove only with a server chosen, OK only
    // with a server while sharing is on.
    void FollowChoice();

    QCheckBox* enabled_;
    QListWidget* servers_;
    QLineEdit* url_;
    QPushButton* add_;
    QPushButton* addSatnogs_;
    QPushButton* remove_;
    QDialogButtonBox* buttons_;
};

}  // namespace orvex

#pragma once

#include <QDialog>

#include "app/settings/link_choice.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace orvex {

// File > Connect's dialog: a KISS TCP port (host and port) or a serial port
// (device and baud rate), and the folder the stream is recorded into.
class ConnectDialog : public QDialog {
    Q_OBJECT
public:
    ConnectDialog(const LinkChoice& start, QWidget* parent);

    LinkChoice Choice() const;

private:
    void CreateFields(const LinkChoice& start);
    void LayOut();
    // Only the chosen kind's fields can be edited, and OK only with them
    // filled in.
    void FollowChoice();
    void ChooseFolder();

    QRadioButton* tcp_;
    QRadioButton* serial_;
    QLineEdit* host_;
    QSpinBox* port_;
    QComboBox* device_;
    QComboBox* baudRate_;
    QLineEdit* folder_;
    QDialogButtonBox* buttons_;
};

}  // namespace orvex

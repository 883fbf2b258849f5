#include "app/dialogs/connect_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QSpinBox>

#include "app/dialogs/dialog_grid.h"
#include "app/dialogs/path_field.h"
#include "app/window/object_names.h"

namespace orvex {
namespace {}  // namespace

ConnectDialog::ConnectDialog(const LinkChoice& start, QWidget* parent) : QDialog(parent) {
    setObjectName(object_name::kConnectDialog);
    setWindowTitle(tr("Connect"));
    CreateFields(start);
    LayOut();
    for (QRadioButton* kind : {tcp_, serial_}) {
        connect(kind, &QRadioButton::toggled, this, &ConnectDialog::FollowChoice);
    }
    connect(host_, &QLineEdit::textChanged, this, &ConnectDialog::FollowChoice);
    connect(device_, &QComboBox::editTextChanged, this, &ConnectDialog::FollowChoice);
    connect(baudRate_, &QComboBox::editTextChanged, this, &ConnectDialog::FollowChoice);
    connect(folder_, &QLineEdit::textChanged, this, &ConnectDialog::FollowChoice);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FollowChoice();
}

void ConnectDialog::CreateFields(const LinkChoice& start) {
    tcp_ = Named(new QRadioButton(tr("KISS over &TCP"), this), object_name::kConnectTcp);
    serial_ = Named(new QRadioButton(tr("&Serial port"), this), object_name::kConnectSerial);
    (start.kind == LinkChoice::Kind::Serial ? serial_ : tcp_)->setChecked(true);

    host_ = Named(new QLineEdit(start.host, this), object_name::kConnectHost);
    port_ = Named(new QSpinBox(this), object_name::kConnectPort);
    port_->setRange(1, 65535);
    port_->setValue(start.port);

    device_ = Named(new QComboBox(this), object_name::kConnectDevice);
    device_->setEditable(true);
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        device_->addItem(port.systemLocation());
    }
    device_->setEditText(start.device);
    baudRate_ = Named(new QComboBox(this), object_name::kConnectBaudRate);
    baudRate_->setEditable(true);
    baudRate_->setValidator(new QIntValidator(1, 100000000, baudRate_));
    for (const qint32 rate : QSerialPortInfo::standardBaudRates()) {
        baudRate_->addItem(QString::number(rate));
    }
    baudRate_->setEditText(QString::number(start.baudRate));

    folder_ = Named(new PathField(start.recordFolder, this), object_name::kConnectFolder);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
}

void ConnectDialog::LayOut() {
    DialogGrid grid(this);
    grid.AddAcross(tcp_);
    grid.AddIndented(tr("&Host:"), host_);
    grid.AddIndented(tr("&Port:"), port_);
    grid.AddAcross(serial_);
    grid.AddIndented(tr("&Device:"), device_);
    grid.AddIndented(tr("Baud &rate:"), baudRate_);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &ConnectDialog::ChooseFolder);
    grid.AddUnindented(tr("Recording &folder:"), folder_, browse);
    grid.AddAcross(buttons_);
}

void ConnectDialog::FollowChoice() {
    const bool tcp = tcp_->isChecked();
    host_->setEnabled(tcp);
    port_->setEnabled(tcp);
    device_->setEnabled(!tcp);
    baudRate_->setEnabled(!tcp);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(Choice().IsComplete());
}

void ConnectDialog::ChooseFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("Recording Folder"), folder_->text());
    if (!folder.isEmpty()) {
        folder_->setText(folder);
    }
}

LinkChoice ConnectDialog::Choice() const {
    LinkChoice choice;
    choice.kind = serial_->isChecked() ? LinkChoice::Kind::Serial : LinkChoice::Kind::Tcp;
    choice.host = host_->text().trimmed();
    choice.port = port_->value();
    choice.device = device_->currentText().trimmed();
    choice.baudRate = baudRate_->currentText().toInt();
    choice.recordFolder = folder_->text();
    return choice;
}

}  // namespace orvex

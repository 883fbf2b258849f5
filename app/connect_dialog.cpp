#include "app/connect_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QSpinBox>

#include "app/object_names.h"

namespace orvex {
namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

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

    folder_ = Named(new QLineEdit(start.recordFolder, this), object_name::kConnectFolder);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
}

void ConnectDialog::LayOut() {
    auto* grid = new QGridLayout(this);
    const auto row = [&](int at, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        grid->addWidget(label, at, 1);
        grid->addWidget(field, at, 2);
    };
    // The fields are indented under the kind they belong to.
    grid->setColumnMinimumWidth(0, 16);
    grid->addWidget(tcp_, 0, 0, 1, 3);
    row(1, tr("&Host:"), host_);
    row(2, tr("&Port:"), port_);
    grid->addWidget(serial_, 3, 0, 1, 3);
    row(4, tr("&Device:"), device_);
    row(5, tr("Baud &rate:"), baudRate_);

    auto* folderLabel = new QLabel(tr("Recording &folder:"), this);
    folderLabel->setBuddy(folder_);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &ConnectDialog::ChooseFolder);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    grid->addWidget(folderLabel, 6, 0, 1, 2);
    grid->addLayout(folderRow, 6, 2);
    grid->addWidget(buttons_, 7, 0, 1, 3);
    grid->setColumnStretch(2, 1);
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

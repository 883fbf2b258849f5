#include "app/dialogs/share_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/dialogs/dialog_grid.h"
#include "app/window/object_names.h"
#include "share/server_url.h"

namespace orvex {

ShareDialog::ShareDialog(const ShareChoice& start, QWidget* parent) : QDialog(parent) {
    setObjectName(object_name::kShareDialog);
    setWindowTitle(tr("Share Frames"));
    enabled_ = Named(new QCheckBox(tr("&Share every frame received with these servers"), this),
                     object_name::kShareEnabled);
    enabled_->setChecked(start.enabled);
    servers_ = Named(new QListWidget(this), object_name::kShareServers);
    servers_->addItems(start.servers);
    url_ = Named(new QLineEdit(this), object_name::kShareUrl);
    url_->setPlaceholderText(QStringLiteral("https://telemetry.example.org/sids"));
    add_ = Named(new QPushButton(tr("&Add"), this), object_name::kShareAdd);
    addSatnogs_ =
        Named(new QPushButton(tr("Add SatNOGS &DB"), this), object_name::kShareAddSatnogs);
    remove_ = Named(new QPushButton(tr("&Remove"), this), object_name::kShareRemove);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    LayOut();

    connect(enabled_, &QCheckBox::toggled, this, &ShareDialog::FollowChoice);
    connect(url_, &QLineEdit::textChanged, this, &ShareDialog::FollowChoice);
    connect(servers_, &QListWidget::currentRowChanged, this, &ShareDialog::FollowChoice);
    connect(add_, &QPushButton::clicked, this, [this] { AddServer(url_->text().trimmed()); });
    connect(addSatnogs_, &QPushButton::clicked, this,
            [this] { AddServer(QString::fromLatin1(kSatnogsDbUrl)); });
    connect(remove_, &QPushButton::clicked, this, &ShareDialog::RemoveServer);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FollowChoice();
}

void ShareDialog::LayOut() {
    auto* note = new QLabel(
        tr("Each frame goes with the time it was received and the station of Settings > "
           "Station. A log is shared only where it holds reception times (gr-satellites' "
           "timestamp frames); a stream as it arrives. Frames wait on disk until each server "
           "took them."),
        this);
    note->setWordWrap(true);
    DialogGrid grid(this);
    grid.AddAcross(enabled_);
    grid.AddIndented(tr("Ser&vers:"), servers_, remove_);
    grid.AddIndented(tr("&New server:"), url_, add_);
    grid.AddIndented(QString(), addSatnogs_);
    grid.AddAcross(note);
    grid.AddAcross(buttons_);
    grid.Layout()->setColumnMinimumWidth(2, 360);
}

void ShareDialog::AddServer(const QString& url) {
    if (ServerUrlProblem(url.toStdString()) ||
        !servers_->findItems(url, Qt::MatchExactly).isEmpty()) {
        return;
    }
    servers_->addItem(url);
    if (url == url_->text().trimmed()) {
        url_->clear();
    }
    FollowChoice();
}

void ShareDialog::RemoveServer() {
    delete servers_->takeItem(servers_->currentRow());
    FollowChoice();
}

void ShareDialog::FollowChoice() {
    add_->setEnabled(!ServerUrlProblem(url_->text().trimmed().toStdString()));
    remove_->setEnabled(servers_->currentRow() >= 0);
    buttons_->button(QDialogButtonBox::Ok)
        ->setEnabled(!enabled_->isChecked() || servers_->count() > 0);
}

ShareChoice ShareDialog::Choice() const {
    ShareChoice choice;
    choice.enabled = enabled_->isChecked();
    for (int row = 0; row < servers_->count(); ++row) {
        choice.servers.append(servers_->item(row)->text());
    }
    return choice;
}

}  // namespace orvex

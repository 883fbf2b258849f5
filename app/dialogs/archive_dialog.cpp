#include "app/dialogs/archive_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/dialogs/dialog_grid.h"
#include "app/dialogs/path_field.h"
#include "app/window/object_names.h"

namespace orvex {
namespace {

QString Shown(const ArchiveLocation& location) {
    return QString::fromLocal8Bit(location.target.c_str());
}

}  // namespace

ArchiveDialog::ArchiveDialog(const ArchiveChoice& start, QWidget* parent) : QDialog(parent) {
    setObjectName(object_name::kArchiveDialog);
    setWindowTitle(tr("Archive"));
    CreateFields(start);
    LayOut();
    connect(enabled_, &QCheckBox::toggled, this, &ArchiveDialog::FollowChoice);
    for (QRadioButton* engine : {sqlite_, postgres_}) {
        connect(engine, &QRadioButton::toggled, this, &ArchiveDialog::FollowChoice);
    }
    for (QLineEdit* field : {file_, parameters_, station_}) {
        connect(field, &QLineEdit::textChanged, this, &ArchiveDialog::FollowChoice);
    }
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FollowChoice();
}

void ArchiveDialog::CreateFields(const ArchiveChoice& start) {
    enabled_ = Named(new QCheckBox(tr("&Add every log to the archive"), this),
                     object_name::kArchiveEnabled);
    enabled_->setChecked(start.enabled);

    const ArchiveLocation location = start.Location();
    const bool postgres = location.engine == ArchiveLocation::Engine::Postgres;
    sqlite_ = Named(new QRadioButton(tr("&SQLite file on this computer"), this),
                    object_name::kArchiveSqlite);
    file_ = Named(new PathField(postgres ? Shown(DefaultArchiveLocation()) : Shown(location), this),
                  object_name::kArchiveFile);
    postgres_ = Named(new QRadioButton(tr("&PostgreSQL database shared by stations"), this),
                      object_name::kArchivePostgres);
    parameters_ = Named(new QLineEdit(postgres ? Shown(location) : QString(), this),
                        object_name::kArchiveParameters);
    parameters_->setPlaceholderText(QStringLiteral("host=db.example.org dbname=orvex user=ann"));
    (postgres ? postgres_ : sqlite_)->setChecked(true);

    station_ = Named(new QLineEdit(start.station, this), object_name::kArchiveStation);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
}

void ArchiveDialog::LayOut() {
    DialogGrid grid(this);
    grid.AddAcross(enabled_);
    grid.AddAcross(sqlite_);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &ArchiveDialog::ChooseFile);
    grid.AddIndented(tr("&File:"), file_, browse);
    grid.AddAcross(postgres_);
    grid.AddIndented(tr("Co&nnection:"), parameters_);
    grid.AddUnindented(tr("S&tation:"), station_);
    grid.AddAcross(buttons_);
    grid.Layout()->setColumnMinimumWidth(2, 320);
}

void ArchiveDialog::FollowChoice() {
    const bool sqlite = sqlite_->isChecked();
    file_->setEnabled(sqlite);
    parameters_->setEnabled(!sqlite);
    const ArchiveChoice choice = Choice();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!choice.enabled || choice.IsComplete());
}

void ArchiveDialog::ChooseFile() {
    const QString file = QFileDialog::getSaveFileName(
        this, tr("Archive File"), file_->text(),
        tr("SQLite archives (*.sqlite)") + QStringLiteral(";;") + tr("All files (*)"), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (!file.isEmpty()) {
        file_->setText(file);
    }
}

ArchiveChoice ArchiveDialog::Choice() const {
    ArchiveChoice choice;
    choice.enabled = enabled_->isChecked();
    choice.location = sqlite_->isChecked()
                          ? file_->text()
                          : QString::fromLatin1(kPostgresPrefix) + parameters_->text().trimmed();
    choice.station = station_->text().trimmed();
    return choice;
}

}  // namespace orvex

#include "app/archive_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/object_names.h"

namespace orvex {
namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

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
    file_ = Named(new QLineEdit(postgres ? Shown(DefaultArchiveLocation()) : Shown(location), this),
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
    auto* grid = new QGridLayout(this);
    const auto row = [&](int at, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        grid->addWidget(label, at, 1);
        grid->addWidget(field, at, 2);
    };
    grid->addWidget(enabled_, 0, 0, 1, 3);
    // The fields are indented under the engine they belong to.
    grid->setColumnMinimumWidth(0, 16);
    grid->addWidget(sqlite_, 1, 0, 1, 3);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &ArchiveDialog::ChooseFile);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    auto* fileLabel = new QLabel(tr("&File:"), this);
    fileLabel->setBuddy(file_);
    grid->addWidget(fileLabel, 2, 1);
    grid->addLayout(fileRow, 2, 2);
    grid->addWidget(postgres_, 3, 0, 1, 3);
    row(4, tr("Co&nnection:"), parameters_);

    auto* stationLabel = new QLabel(tr("S&tation:"), this);
    stationLabel->setBuddy(station_);
    grid->addWidget(stationLabel, 5, 0, 1, 2);
    grid->addWidget(station_, 5, 2);
    grid->addWidget(buttons_, 6, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, 320);
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

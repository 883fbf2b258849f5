#include "app/dialogs/station_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialogs/dialog_grid.h"
#include "app/window/object_names.h"

namespace orvex {

StationDialog::StationDialog(const StationChoice& start, QWidget* parent) : QDialog(parent) {
    setObjectName(object_name::kStationDialog);
    setWindowTitle(tr("Station"));
    callsign_ = Named(new QLineEdit(start.callsign, this), object_name::kStationCallsign);
    location_ = Named(new QLineEdit(start.location, this), object_name::kStationLocation);
    location_->setPlaceholderText(tr("latitude,longitude, such as 52.52,13.405"));
    noradId_ = Named(new QLineEdit(start.noradId, this), object_name::kStationNoradId);
    auto* note = new QLabel(
        tr("Shared frames carry these. The satellite's NORAD catalogue number is on its page "
           "on SatNOGS DB (db.satnogs.org); south and west are negative. Nothing is sent "
           "unless Settings > Share Frames is on."),
        this);
    note->setWordWrap(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    DialogGrid grid(this);
    grid.AddUnindented(tr("&Callsign:"), callsign_);
    grid.AddUnindented(tr("&Location:"), location_);
    grid.AddUnindented(tr("&NORAD number:"), noradId_);
    grid.AddAcross(note);
    grid.AddAcross(buttons_);
    grid.Layout()->setColumnMinimumWidth(2, 280);

    for (QLineEdit* field : {callsign_, location_, noradId_}) {
        connect(field, &QLineEdit::textChanged, this, &StationDialog::FollowFields);
    }
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FollowFields();
}

void StationDialog::FollowFields() {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(Choice().IsValid());
}

StationChoice StationDialog::Choice() const {
    return {callsign_->text().trimmed(), location_->text().trimmed(), noradId_->text().trimmed()};
}

}  // namespace orvex

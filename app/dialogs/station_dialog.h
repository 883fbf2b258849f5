#pragma once

#include <QDialog>

#include "app/settings/station_choice.h"

class QDialogButtonBox;
class QLineEdit;

namespace orvex {

// Settings > Station's dialog: the callsign, the location and the
// satellite's NORAD catalogue number that shared frames carry.
class StationDialog : public QDialog {
    Q_OBJECT
public:
    StationDialog(const StationChoice& start, QWidget* parent);

    StationChoice Choice() const;

private:
    // OK only while every field given reads.
    void FollowFields();

    QLineEdit* callsign_;
    QLineEdit* location_;
    QLineEdit* noradId_;
    QDialogButtonBox* buttons_;
};

}  // namespace orvex

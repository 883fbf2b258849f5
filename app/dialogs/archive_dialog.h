#pragma once

#include <QDialog>

#include "app/settings/archive_choice.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QRadioButton;

namespace orvex {

// Settings > Archive's dialog: whether logs are added to the archive, the
// archive (a SQLite file, or a PostgreSQL database by its connection
// parameters) and the station that heard them.
class ArchiveDialog : public QDialog {
    Q_OBJECT
public:
    ArchiveDialog(const ArchiveChoice& start, QWidget* parent);

    ArchiveChoice Choice() const;

private:
    void CreateFields(const ArchiveChoice& start);
    void LayOut();
    // Only the chosen engine's field can be edited, and OK only with what
    // an archive that is on needs.
    void FollowChoice();
    void ChooseFile();

    QCheckBox* enabled_;
    QRadioButton* sqlite_;
    QLineEdit* file_;
    QRadioButton* postgres_;
    QLineEdit* parameters_;
    QLineEdit* station_;
    QDialogButtonBox* buttons_;
};

}  // namespace orvex

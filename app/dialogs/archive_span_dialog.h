#pragma once

#include <QDialog>

#include "archive/archived_extremes.h"

class QDateTimeEdit;
class QDialogButtonBox;

namespace orvex {

// The span of the archive the chart draws, chosen to the second in UTC, as
// the archive keeps its times.
class ArchiveSpanDialog : public QDialog {
    Q_OBJECT
public:
    ArchiveSpanDialog(const ArchiveSpan& start, QWidget* parent);

    ArchiveSpan Span() const;

private:
    // OK only while the span ends after it starts.
    void FollowChoice();

    QDateTimeEdit* from_;
    QDateTimeEdit* to_;
    QDialogButtonBox* buttons_;
};

}  // namespace orvex

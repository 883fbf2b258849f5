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

    // The span offered before one was chosen: the last day, 00:00 to 24:00
    // UTC, on which the archive holds telemetry, where a span starting now
    // would usually be empty; the last 24 hours before `now` for an archive
    // without any, or none open.
    static ArchiveSpan FirstSpan(ArchiveDatabase* database, std::int64_t now);

    ArchiveSpan Span() const;

private:
    // OK only while the span ends after it starts.
    void FollowChoice();

    QDateTimeEdit* from_;
    QDateTimeEdit* to_;
    QDialogButtonBox* buttons_;
};

}  // namespace orvex

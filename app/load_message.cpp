#include "app/load_message.h"

#include <QStringList>
#include <algorithm>

#include "telemetry/record_store.h"

namespace orvex {
namespace {

bool ReportFailed(const LoadOutcome& outcome) {
    return std::any_of(outcome.problems.begin(), outcome.problems.end(),
                       [](const FileProblem& problem) {
                           return problem.action == FileProblem::Action::WriteReport;
                       });
}

QString RecordsNotKeptText(const LoadOutcome& outcome) {
    const QString notKept =
        outcome.tlmFramesNotKept == 1
            ? QStringLiteral("1 more TLM record was not kept.")
            : QStringLiteral("%1 more TLM records were not kept.").arg(outcome.tlmFramesNotKept);
    QString text = QStringLiteral("The window holds the first %1 TLM records of a log; ")
                       .arg(RecordStore::kCapacity) +
                   notKept;
    if (outcome.reportPath) {
        return text + QStringLiteral(" The report holds them all.");
    }
    if (ReportFailed(outcome)) {
        return text;
    }
    return text + QStringLiteral(" Check \"Write TLM File\" to have them all in the report.");
}

}  // namespace

QString LoadMessageText(const LoadOutcome& outcome) {
    QStringList paragraphs;
    for (const FileProblem& problem : outcome.problems) {
        // Paths and the system's reasons come in the file system's encoding.
        paragraphs.append(QString::fromLocal8Bit(problem.Message()));
    }
    if (outcome.tlmFramesNotKept > 0) {
        paragraphs.append(RecordsNotKeptText(outcome));
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

}  // namespace orvex

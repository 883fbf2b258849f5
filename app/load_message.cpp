#include "app/load_message.h"

#include <QFile>
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

QStringList ProblemTexts(const LoadOutcome& outcome) {
    QStringList paragraphs;
    for (const FileProblem& problem : outcome.problems) {
        // Paths and the system's reasons come in the file system's encoding.
        paragraphs.append(QString::fromLocal8Bit(problem.Message()));
    }
    return paragraphs;
}

}  // namespace

QString LoadMessageText(const LoadOutcome& outcome) {
    QStringList paragraphs = ProblemTexts(outcome);
    if (outcome.tlmFramesNotKept > 0) {
        paragraphs.append(RecordsNotKeptText(outcome));
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

QString DataExportMessageText(const LoadOutcome& outcome) {
    if (!outcome.problems.empty()) {
        return ProblemTexts(outcome).join(QStringLiteral("\n\n"));
    }
    QStringList files;
    for (const std::string& path : outcome.dataPaths) {
        files.append(QFile::decodeName(QByteArray::fromStdString(path)));
    }
    return QStringLiteral("The data of the log was written to:\n") + files.join(QLatin1Char('\n'));
}

QString FrameCounterToolTip(const LoadOutcome& outcome) {
    QStringList lines(
        QStringLiteral("%1 frames read, %2 decoded").arg(outcome.framesRead).arg(outcome.frames));
    for (const std::string& text : LogAccountTexts(outcome.account)) {
        lines.append(QString::fromStdString(text));
    }
    if (outcome.tlmFramesNotKept > 0) {
        lines.append(QStringLiteral("%1 TLM records not kept beyond the first %2")
                         .arg(outcome.tlmFramesNotKept)
                         .arg(RecordStore::kCapacity));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace orvex

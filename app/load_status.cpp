#include "app/load_status.h"

#include <QFile>
#include <QStringList>

#include "telemetry/record_store.h"

namespace orvex {
namespace {

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

QString LoadStatus::ProblemText(const FileProblem& problem) {
    // The system's reasons come in the locale's encoding.
    const QString path = PathText(problem.path);
    const QString reason = QString::fromLocal8Bit(problem.reason);
    switch (problem.action) {
        case FileProblem::Action::OpenLog:
            return tr("Cannot open the log %1: %2").arg(path, reason);
        case FileProblem::Action::ReadLog:
            return tr("Cannot read the log %1: %2").arg(path, reason);
        case FileProblem::Action::WriteReport:
            return tr("Cannot write the report %1: %2").arg(path, reason);
        case FileProblem::Action::WriteExport:
            return tr("Cannot write the WOD export %1: %2").arg(path, reason);
    }
    return {};
}

QString LoadStatus::FramesText(std::uint64_t frames) {
    return frames == 1 ? tr("1 frame") : tr("%1 frames").arg(frames);
}

QString LoadStatus::ContentText(const LoadOutcome& outcome, const QString& logPath) {
    if (outcome.frames == 0) {
        return tr("No frame found in %1.").arg(logPath);
    }
    const std::uint64_t tlmFrames =
        static_cast<std::uint64_t>(outcome.records) + outcome.tlmFramesNotKept;
    if (tlmFrames == 0) {
        return tr("%1, no telemetry record.").arg(FramesText(outcome.frames));
    }
    QString text =
        tlmFrames == 1
            ? tr("%1, 1 telemetry record").arg(FramesText(outcome.frames))
            : tr("%1, %2 telemetry records").arg(FramesText(outcome.frames)).arg(tlmFrames);
    if (outcome.tlmFramesNotKept > 0) {
        text += tr(" (the record scroll bar reaches the first %1)").arg(RecordStore::kCapacity);
    }
    if (outcome.tlmFramesNotCharted > 0) {
        text +=
            tr("; memory ran out: the chart lacks the last %1").arg(outcome.tlmFramesNotCharted);
    }
    return text + '.';
}

QString LoadStatus::Text(const LoadOutcome& outcome, const QString& logPath) {
    QStringList sentences;
    for (const FileProblem& problem : outcome.problems) {
        sentences.append(ProblemText(problem) + '.');
    }
    if (!outcome.decoded) {
        return sentences.join(' ');
    }
    sentences.append(ContentText(outcome, logPath));
    // The reader's counts of bytes outside frames belong here, after what the
    // log held and before where its outputs went.
    if (outcome.reportPath) {
        sentences.append(tr("Report written to %1.").arg(PathText(*outcome.reportPath)));
    }
    if (outcome.exportPath) {
        sentences.append(tr("WOD export written to %1.").arg(PathText(*outcome.exportPath)));
    }
    return sentences.join(' ');
}

}  // namespace orvex

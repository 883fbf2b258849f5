#include "app/window/load_status.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "app/window/share_status_text.h"
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
        case FileProblem::Action::RecordLog:
            return tr("Cannot record the log %1: %2").arg(path, reason);
        case FileProblem::Action::WriteReport:
            return tr("Cannot write the report %1: %2").arg(path, reason);
        case FileProblem::Action::WriteExport:
            return tr("Cannot write the WOD export %1: %2").arg(path, reason);
        case FileProblem::Action::WriteData:
            return tr("Cannot write the data file %1: %2").arg(path, reason);
        case FileProblem::Action::WriteArchive:
            return tr("Cannot add the log to the archive %1: %2").arg(path, reason);
    }
    return {};
}

QString LoadStatus::FramesText(std::uint64_t frames) {
    return frames == 1 ? tr("1 frame") : tr("%1 frames").arg(frames);
}

QString LoadStatus::ContentText(const LoadOutcome& outcome, const QString& logPath) {
    if (outcome.framesDecoded == 0) {
        return tr("No frame found in %1.").arg(logPath);
    }
    const std::uint64_t tlmFrames = outcome.records;
    if (tlmFrames == 0) {
        return tr("%1, no telemetry record.").arg(FramesText(outcome.framesDecoded));
    }
    QString text =
        tlmFrames == 1
            ? tr("%1, 1 telemetry record").arg(FramesText(outcome.framesDecoded))
            : tr("%1, %2 telemetry records").arg(FramesText(outcome.framesDecoded)).arg(tlmFrames);
    if (outcome.tlmFramesNotCharted > 0) {
        text += tr("; memory ran out: the chart and the panel lack the last %1")
                    .arg(outcome.tlmFramesNotCharted);
    }
    return text + '.';
}

QString LoadStatus::Text(const LoadOutcome& outcome, const QString& logPath) {
    QStringList sentences;
    for (const FileProblem& problem : outcome.problems) {
        sentences.append(ProblemText(problem) + '.');
    }
    if (!outcome.ran) {
        return sentences.join(' ');
    }
    if (outcome.stopped) {
        sentences.append(tr("Reading cancelled."));
    }
    sentences.append(ContentText(outcome, logPath));
    const QStringList account = AccountTexts(outcome.account);
    if (!account.isEmpty()) {
        sentences.append(tr("Skipped: %1.").arg(account.join(QStringLiteral(", "))));
    }
    if (outcome.reportPath) {
        sentences.append(tr("Report written to %1.").arg(PathText(*outcome.reportPath)));
    }
    if (outcome.exportPath) {
        sentences.append(tr("WOD export written to %1.").arg(PathText(*outcome.exportPath)));
    }
    if (outcome.archived) {
        // Another reading of a log adds none: "3 new" tells what the archive
        // did not hold yet.
        sentences.append(tr("Archive: %1, %2 new.")
                             .arg(FramesText(outcome.archived->frames))
                             .arg(outcome.archived->newFrames));
    }
    if (outcome.shared) {
        if (const QString shared = ShareStatusText::AfterLoad(*outcome.shared); !shared.isEmpty()) {
            sentences.append(shared);
        }
    }
    return sentences.join(' ');
}

QString LoadStatus::LiveText(const LinkEvent& last, const QString& linkName,
                             std::chrono::milliseconds retryLeft, std::uint64_t bytes,
                             std::uint64_t frames) {
    const QString received = tr("%1 bytes, %2").arg(bytes).arg(FramesText(frames));
    switch (last.kind) {
        case LinkEvent::Kind::Connected:
            return tr("Connected to %1: %2.").arg(linkName, received);
        case LinkEvent::Kind::Refused:
        case LinkEvent::Kind::Lost: {
            const auto seconds = (std::max<std::int64_t>(retryLeft.count(), 0) + 999) / 1000;
            return tr("Reconnecting to %1 in %2 s (%3): %4.")
                .arg(linkName)
                .arg(seconds)
                .arg(QString::fromStdString(last.reason), received);
        }
        case LinkEvent::Kind::Ended:
            break;
    }
    return tr("Disconnected from %1: %2.").arg(linkName, received);
}

QString LoadStatus::ConnectingText(const QString& linkName, const QString& recordingPath) {
    return tr("Connecting to %1, recording into %2...").arg(linkName, recordingPath);
}

QString LoadStatus::DataExportText(const LoadOutcome& outcome, const QString& folder) {
    QStringList sentences;
    for (const FileProblem& problem : outcome.problems) {
        sentences.append(ProblemText(problem) + '.');
    }
    if (outcome.stopped) {
        sentences.append(tr("Export Data cancelled: no data file was written."));
    } else if (sentences.isEmpty() && !outcome.dataPaths.empty()) {
        sentences.append(tr("Data of the log written to %1.").arg(folder));
    }
    return sentences.join(' ');
}

QString LoadStatus::FrameCounterToolTip(const LoadOutcome& outcome) {
    QStringList lines(
        tr("%1 frames read, %2 decoded").arg(outcome.framesRead).arg(outcome.framesDecoded));
    lines.append(AccountTexts(outcome.account));
    return lines.join('\n');
}

QStringList LoadStatus::AccountTexts(const LogAccount& account) {
    QStringList texts;
    for (const LogAccountItem& item : LogAccountItems(account)) {
        if (item.count != 0) {
            texts.append(AccountItemText(item));
        }
    }
    return texts;
}

QString LoadStatus::AccountItemText(const LogAccountItem& item) {
    // The core's words serve scripts and the command line; the window's are
    // these, translated.
    struct Words {
        std::string_view key;
        const char* one;
        const char* many;
    };
    static constexpr std::array<Words, 7> kWords{{
        {"bytes_outside_frames", QT_TR_NOOP("%1 byte outside frames"),
         QT_TR_NOOP("%1 bytes outside frames")},
        {"frames_too_short", QT_TR_NOOP("%1 frame shorter than 7 bytes"),
         QT_TR_NOOP("%1 frames shorter than 7 bytes")},
        {"frames_cut_at_512", QT_TR_NOOP("%1 frame cut at 512 bytes"),
         QT_TR_NOOP("%1 frames cut at 512 bytes")},
        {"frames_non_data_command", QT_TR_NOOP("%1 frame with a non-data KISS command"),
         QT_TR_NOOP("%1 frames with a non-data KISS command")},
        {"frames_unknown_type", QT_TR_NOOP("%1 frame of unknown type"),
         QT_TR_NOOP("%1 frames of unknown type")},
        {"lf_dropped_after_cr", QT_TR_NOOP("%1 LF dropped after a CR"),
         QT_TR_NOOP("%1 LFs dropped after a CR")},
        {"dangling_escapes", QT_TR_NOOP("%1 dangling escape"), QT_TR_NOOP("%1 dangling escapes")},
    }};
    const auto words = std::find_if(kWords.begin(), kWords.end(),
                                    [&](const Words& entry) { return entry.key == item.key; });
    if (words == kWords.end()) {
        return QString::fromStdString(std::to_string(item.count) + ' ' + std::string(item.many));
    }
    return tr(item.count == 1 ? words->one : words->many).arg(item.count);
}

}  // namespace orvex

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>

#include "live/link_watcher.h"
#include "load/load_outcome.h"

namespace orvex {

// What the status line says after a load: every file that could not be read
// or written, what the log held, and where the report and the export went.
class LoadStatus {
    Q_DECLARE_TR_FUNCTIONS(orvex::LoadStatus)

public:
    static QString Text(const LoadOutcome& outcome, const QString& logPath);
    // "Cannot write the report /logs/orbit.tlm: No space left on device"
    static QString ProblemText(const FileProblem& problem);
    // While a stream is followed: the link's state after its last event, the
    // wait left before the next try, and what was received.
    static QString LiveText(const LinkEvent& last, const QString& linkName,
                            std::chrono::milliseconds retryLeft, std::uint64_t bytes,
                            std::uint64_t frames);
    static QString ConnectingText(const QString& linkName, const QString& recordingPath);
    // What the Export Data command tells: every file that could not be
    // written, or the folder the data went to.
    static QString DataExportText(const LoadOutcome& outcome, const QString& folder);
    // The frame counter's tooltip after a load: the frames read and decoded,
    // the log's bad bytes, and the TLM records the scroll bar does not reach.
    static QString FrameCounterToolTip(const LoadOutcome& outcome);

private:
    static QString FramesText(std::uint64_t frames);
    static QString ContentText(const LoadOutcome& outcome, const QString& logPath);
    // "4 bytes outside frames", one text for each count that is not zero.
    static QStringList AccountTexts(const LogAccount& account);
    static QString AccountItemText(const LogAccountItem& item);
};

}  // namespace orvex

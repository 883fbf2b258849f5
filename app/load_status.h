#pragma once

#include <QCoreApplication>
#include <QString>

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

private:
    static QString FramesText(std::uint64_t frames);
    static QString ContentText(const LoadOutcome& outcome, const QString& logPath);
};

}  // namespace orvex

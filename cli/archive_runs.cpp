#include "cli/archive_runs.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTimeZone>

#include <ostream>

#include "archive/archived_frames.h"
#include "cli/decode_options.h"
#include "cli/stop_signals.h"
#include "outputs/data/data_export.h"

namespace orvex {
namespace {

// The data files of a span are named as if they came from a log "archive".
constexpr char kSpanFilesName[] = "archive";

std::optional<std::int64_t> ParseUtc(const std::string& text, bool endOfDay) {
    const QString given = QString::fromLatin1(text);
    const QDate date = QDate::fromString(given, Qt::ISODate);
    if (date.isValid()) {
        const QTime time = endOfDay ? QTime(23, 59, 59) : QTime(0, 0);
        return QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();
    }
    const QDateTime moment = QDateTime::fromString(given, Qt::ISODate);
    if (!moment.isValid()) {
        return std::nullopt;
    }
    // A time without an offset is UTC, as every time in the archive is.
    if (moment.timeSpec() == Qt::LocalTime) {
        return QDateTime(moment.date(), moment.time(), QTimeZone::utc()).toSecsSinceEpoch();
    }
    return moment.toSecsSinceEpoch();
}

}  // namespace

std::unique_ptr<ArchiveDatabase> OpenArchive(const std::string& given, std::ostream& err) {
    ArchiveLocation location = DefaultArchiveLocation();
    if (!given.empty()) {
        location = ParseArchiveLocation(given);
    } else {
        QDir().mkpath(QFileInfo(QString::fromLocal8Bit(location.target)).absolutePath());
    }
    auto database = std::make_unique<ArchiveDatabase>(location);
    if (auto problem = database->Open()) {
        err << kDecodeProgram << ": Cannot open the archive " << location.Shown() << ": "
            << *problem << '\n';
        return nullptr;
    }
    return database;
}

std::string StationName(const std::optional<std::string>& given) {
    return given ? *given : QSysInfo::machineHostName().toLocal8Bit().toStdString();
}

std::optional<ArchiveSpan> ParseArchiveSpan(const std::string& from, const std::string& to) {
    const auto start = ParseUtc(from, false);
    const auto end = ParseUtc(to, true);
    if (!start || !end) {
        return std::nullopt;
    }
    return ArchiveSpan{*start, *end};
}

int ExportArchiveRange(ArchiveDatabase& database, ArchiveSpan span,
                       const DataExportOptions& options, const StopSignals& stop, std::ostream& out,
                       std::ostream& err) {
    DataExport data(options, kSpanFilesName, FileIdentity{});
    if (auto busy = data.Claim()) {
        err << kDecodeProgram << ": " << busy->Message() << '\n';
        return 1;
    }
    data.Start();
    std::string problem;
    const auto frames = DecodeArchivedFrames(database, span, data.Frames(), problem,
                                             [&stop] { return stop.Received() != 0; });
    if (stop.Received() != 0) {
        data.Abandon();
        err << kDecodeProgram << ": Interrupted by " << stop.ReceivedName() << " after "
            << frames.value_or(0) << " frames of the archive " << database.Location().Shown()
            << "; the data files were left as they were\n";
        return stop.ExitCode();
    }
    if (!frames) {
        data.Abandon();
        err << kDecodeProgram << ": Cannot read the archive " << database.Location().Shown() << ": "
            << problem << '\n';
        return 1;
    }
    bool written = true;
    for (const FileProblem& failure : data.Finish()) {
        err << kDecodeProgram << ": " << failure.Message() << '\n';
        written = false;
    }
    out << database.Location().Shown() << ": " << *frames << " frames";
    if (written) {
        out << " written to";
        for (const std::string& path : data.Paths()) {
            out << ' ' << path;
        }
    }
    out << '\n';
    return written ? 0 : 1;
}

}  // namespace orvex

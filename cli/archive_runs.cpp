#include "cli/archive_runs.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTimeZone>

#include <ostream>

#include "archive/archived_frames.h"
#include "cli/decode_options.h"
#include "cli/stop_signals.h"
#include "outputs/data/data_export.h"
#include "text/iso_time.h"

namespace orvex {
namespace {

// The data files of a span are named as if they came from a log "archive".
constexpr char kSpanFilesName[] = "archive";

// "2026-03-01" or "2026-03-01T12:03:00", with an optional "Z": UTC, as every
// time in the archive is. Qt's own ISO reading takes "2026-03-01xyz" for a
// date and ignores what follows, so the form is matched whole first.
std::optional<std::int64_t> ParseUtc(const std::string& text, bool endOfDay) {
    static const QRegularExpression kForm(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:T(\\d{2}):(\\d{2}):(\\d{2})Z?)?$"));
    const QRegularExpressionMatch match = kForm.match(QString::fromLatin1(text));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const auto number = [&match](int part) { return match.captured(part).toInt(); };
    const QDate date(number(1), number(2), number(3));
    const bool dateAlone = match.captured(4).isEmpty();
    const QTime time = dateAlone ? (endOfDay ? QTime(23, 59, 59) : QTime(0, 0))
                                 : QTime(number(4), number(5), number(6));
    if (!date.isValid() || !time.isValid()) {
        return std::nullopt;
    }
    return QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();
}

void TellMigration(const ArchiveDatabase& database, std::ostream& err) {
    if (const auto& moved = database.Migrated()) {
        err << kDecodeProgram << ": Moved the archive " << database.Location().Shown()
            << " from version " << moved->fromVersion << " to version "
            << ArchiveDatabase::kSchemaVersion << ": " << moved->frames << " frames, "
            << moved->receptions << " receptions\n";
    }
}

std::string TimeOf(std::uint32_t seconds) {
    std::string text;
    AppendIsoUtc(text, seconds);
    return text;
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
    if (!database->Open()) {
        err << kDecodeProgram << ": Cannot open the archive " << location.Shown() << ": "
            << database->LastError() << '\n';
        return nullptr;
    }
    TellMigration(*database, err);
    return database;
}

int TellArchiveReady(const ArchiveDatabase& database, std::ostream& out) {
    out << database.Location().Shown() << ": an archive of version "
        << ArchiveDatabase::kSchemaVersion << ", ready\n";
    return out.flush() ? 0 : 1;
}

std::string StationName(const std::optional<std::string>& given) {
    return given ? *given : QSysInfo::machineHostName().toLocal8Bit().toStdString();
}

std::optional<ArchiveSpan> ParseArchiveSpan(const std::string& from, const std::string& to,
                                            std::string& problem) {
    const auto start = ParseUtc(from, false);
    const auto end = ParseUtc(to, true);
    if (!start || !end) {
        problem =
            "--export-range needs two UTC times such as 2009-05-01 or "
            "2009-05-01T06:00:00, not " +
            from + " and " + to;
        return std::nullopt;
    }
    if (*start > *end) {
        problem = "--export-range needs FROM no later than TO, not " + from + " and " + to;
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
    data.NameFrameSources();
    data.Start();
    std::uint64_t frames = 0;
    std::uint64_t damaged = 0;
    Frame frame;
    std::string problem;
    const bool read = ReadArchivedFrames(
        database, span,
        [&](const ArchivedFrame& stored) {
            if (!stored.intact) {
                err << kDecodeProgram << ": Frame " << stored.id << " of " << TimeOf(stored.time)
                    << " in the archive " << database.Location().Shown()
                    << " is damaged (its bytes no longer match their digest): left out\n";
                ++damaged;
                return;
            }
            data.SetFrameSource(stored.station, stored.logPath);
            DecodeArchivedFrame(stored, frame, data.Frames());
            ++frames;
        },
        problem, [&stop] { return stop.Received() != 0; });
    if (stop.Received() != 0) {
        data.Abandon();
        err << kDecodeProgram << ": Interrupted by " << stop.ReceivedName() << " after " << frames
            << " frames of the archive " << database.Location().Shown()
            << "; the data files were left as they were\n";
        return stop.ExitCode();
    }
    if (!read) {
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
    out << database.Location().Shown() << ": " << frames << " frames";
    if (damaged > 0) {
        out << " (" << damaged << " damaged, left out)";
    }
    if (written) {
        out << " written to";
        for (const std::string& path : data.Paths()) {
            out << ' ' << path;
        }
    }
    out << '\n';
    return written && damaged == 0 ? 0 : 1;
}

}  // namespace orvex

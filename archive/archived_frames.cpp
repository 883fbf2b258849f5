#include "archive/archived_frames.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <string_view>

#include "archive/frame_digest.h"
#include "archive/sql_dialect.h"

namespace orvex {
namespace {

// Frames read by one query: each page is read whole before it is handed on,
// as PostgreSQL's connection takes no other statement while a result is
// being read.
constexpr int kPageFrames = 2048;
// The span is read a day at a time: PostgreSQL's BRIN index of the time
// finds a query's whole range, not its first frames, so that a page's query
// over the rest of a year's span read the rest of the year (the year's
// export took 44 s, bench/README.md).
constexpr std::int64_t kWindowSeconds = 86400;

bool Intact(const std::string& bytes, const QVariant& check) {
    return FrameDigest::Of(bytes).Check() == check.toInt();
}

// The frames after (`time`, `id`) within the span: one range of the time
// index, read from where the last page ended, with the frames of that
// second already read left out. (An OR of the two bounds made SQLite gather
// the whole rest of the span for each page.)
bool ReadPage(ArchiveDatabase& database, QSqlQuery& page, std::int64_t time, std::int64_t id,
              std::int64_t to, std::vector<ArchivedFrame>& frames) {
    page.addBindValue(TimeText(time));
    page.addBindValue(TimeText(to));
    page.addBindValue(TimeText(time));
    page.addBindValue(static_cast<qint64>(id));
    if (!database.Run(page)) {
        return false;
    }
    frames.clear();
    while (page.next()) {
        ArchivedFrame frame;
        frame.id = page.value(0).toLongLong();
        frame.time = static_cast<std::uint32_t>(page.value(1).toLongLong());
        const QByteArray bytes = page.value(2).toByteArray();
        frame.bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        frame.intact = Intact(frame.bytes, page.value(3));
        frame.station = page.value(4).toString().toLocal8Bit().toStdString();
        frame.logPath = page.value(5).toString().toLocal8Bit().toStdString();
        frame.offset = static_cast<std::uint64_t>(page.value(6).toLongLong());
        frames.push_back(std::move(frame));
    }
    page.finish();
    return true;
}

}  // namespace

bool ReadArchivedFrames(ArchiveDatabase& database, ArchiveSpan span,
                        const std::function<void(const ArchivedFrame&)>& visit,
                        std::string& problem, const std::function<bool()>& stopRequested) {
    QSqlQuery page(database.Connection());
    page.setForwardOnly(true);
    const QString statement =
        QStringLiteral(
            "SELECT f.id, %1, f.bytes, f.bytes_check, l.station, l.path, f.first_offset "
            "FROM frame_store f LEFT JOIN logs l ON l.id = f.first_log_id "
            "WHERE f.time_utc >= ? AND f.time_utc <= ? AND (f.time_utc > ? OR f.id > ?) "
            "ORDER BY f.time_utc, f.id LIMIT %2")
            .arg(database.Dialect().Seconds(QStringLiteral("f.time_utc")))
            .arg(kPageFrames);
    if (!database.Prepare(page, statement)) {
        problem = database.LastError();
        return false;
    }
    std::vector<ArchivedFrame> frames;
    // Before the span's first second: no frame is numbered 0 or less.
    std::int64_t time = span.from;
    std::int64_t id = 0;
    std::int64_t windowEnd = std::min(span.to, time + kWindowSeconds - 1);
    while (true) {
        if (!ReadPage(database, page, time, id, windowEnd, frames)) {
            problem = database.LastError();
            return false;
        }
        for (const ArchivedFrame& frame : frames) {
            if (stopRequested()) {
                return true;
            }
            visit(frame);
        }
        if (frames.size() == static_cast<std::size_t>(kPageFrames)) {
            time = frames.back().time;
            id = frames.back().id;
        } else if (windowEnd < span.to) {
            time = windowEnd + 1;
            id = 0;
            windowEnd = std::min(span.to, time + kWindowSeconds - 1);
        } else {
            return true;
        }
    }
}

void DecodeArchivedFrame(const ArchivedFrame& stored, Frame& frame, FrameHandler& handler) {
    frame.bytes.fill(0);
    const std::size_t length = std::min(stored.bytes.size(), kFrameCapacity);
    std::copy_n(stored.bytes.data(), length, reinterpret_cast<char*>(frame.bytes.data()));
    frame.length = static_cast<std::uint16_t>(length);
    frame.logOffset = stored.offset;
    frame.logBytes = length;
    frame.cut = false;
    frame.unfinished = false;
    handler.OnFrameRead(frame, DecodeFrame(frame, handler));
}

}  // namespace orvex

#include "archive/archived_frames.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace orvex {

std::optional<std::uint64_t> DecodeArchivedFrames(ArchiveDatabase& database, ArchiveSpan span,
                                                  FrameHandler& handler, std::string& problem) {
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT bytes, first_offset FROM frames WHERE time >= ? AND time <= ? "
                       "ORDER BY time, first_log, first_offset"));
    query.addBindValue(static_cast<qint64>(span.from));
    query.addBindValue(static_cast<qint64>(span.to));
    if (!query.exec()) {
        database.NoteError(query.lastError().text());
        problem = database.LastError();
        return std::nullopt;
    }
    std::uint64_t count = 0;
    Frame frame;
    while (query.next()) {
        const QByteArray bytes = query.value(0).toByteArray();
        frame.bytes.fill(0);
        const auto length =
            std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), kFrameCapacity);
        std::copy_n(bytes.constData(), length, reinterpret_cast<char*>(frame.bytes.data()));
        frame.length = static_cast<std::uint16_t>(length);
        frame.logOffset = static_cast<std::uint64_t>(query.value(1).toLongLong());
        frame.logBytes = length;
        frame.cut = false;
        handler.OnFrameRead(frame, DecodeFrame(frame, handler));
        ++count;
    }
    return count;
}

}  // namespace orvex

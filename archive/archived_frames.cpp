#include "archive/archived_frames.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

#include "archive/frame_block.h"

namespace orvex {
namespace {

// A frame of the span, in the order the archive stored it.
struct SpanFrame {
    std::uint32_t time = 0;
    std::uint64_t firstOffset = 0;
    std::string bytes;
};

bool ReadSpan(ArchiveDatabase& database, ArchiveSpan span, std::vector<SpanFrame>& frames,
              const std::function<bool()>& stopRequested) {
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT id, frames FROM blocks WHERE time_to >= ? AND time_from <= ? ORDER BY id"));
    query.addBindValue(static_cast<qint64>(span.from));
    query.addBindValue(static_cast<qint64>(span.to));
    if (!query.exec()) {
        database.NoteError(query.lastError().text());
        return false;
    }
    while (!stopRequested() && query.next()) {
        const bool whole = ForEachStoredFrame(query.value(1).toByteArray(), [&](const auto& frame) {
            if (frame.time && *frame.time >= span.from && *frame.time <= span.to) {
                frames.push_back({*frame.time, frame.firstOffset, std::string(frame.bytes)});
            }
        });
        if (!whole) {
            database.NoteError(QStringLiteral("block %1 of the archive is damaged")
                                   .arg(query.value(0).toLongLong()));
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::uint64_t> DecodeArchivedFrames(ArchiveDatabase& database, ArchiveSpan span,
                                                  FrameHandler& handler, std::string& problem,
                                                  const std::function<bool()>& stopRequested) {
    std::vector<SpanFrame> frames;
    if (!ReadSpan(database, span, frames, stopRequested)) {
        problem = database.LastError();
        return std::nullopt;
    }
    std::stable_sort(frames.begin(), frames.end(),
                     [](const SpanFrame& a, const SpanFrame& b) { return a.time < b.time; });
    Frame frame;
    std::uint64_t decoded = 0;
    for (const SpanFrame& stored : frames) {
        if (stopRequested()) {
            break;
        }
        ++decoded;
        frame.bytes.fill(0);
        const std::size_t length = std::min(stored.bytes.size(), kFrameCapacity);
        std::copy_n(stored.bytes.data(), length, reinterpret_cast<char*>(frame.bytes.data()));
        frame.length = static_cast<std::uint16_t>(length);
        frame.logOffset = stored.firstOffset;
        frame.logBytes = length;
        frame.cut = false;
        handler.OnFrameRead(frame, DecodeFrame(frame, handler));
    }
    return decoded;
}

}  // namespace orvex

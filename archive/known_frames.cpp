#include "archive/known_frames.h"

#include <QSqlQuery>
#include <QVariant>

namespace orvex {

bool KnownFrames::CatchUp(ArchiveDatabase& database) {
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    if (!database.Prepare(query, QStringLiteral("SELECT id, bytes FROM frame_store WHERE id > ? "
                                                "ORDER BY id"))) {
        return false;
    }
    query.addBindValue(static_cast<qint64>(lastStored_));
    if (!database.Run(query)) {
        return false;
    }
    while (query.next()) {
        const std::int64_t id = query.value(0).toLongLong();
        const QByteArray bytes = query.value(1).toByteArray();
        const FrameDigest digest = FrameDigest::Of(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!Reserve(1)) {
            database.NoteError(
                QStringLiteral("it holds more frames than one program can tell apart"));
            return false;
        }
        frames_.FindOrAdd(digest, id);
        lastStored_ = id;
    }
    nextId_ = lastStored_ + 1;
    return true;
}

FrameLookup KnownFrames::FindOrAdd(const FrameDigest& digest) {
    const FrameLookup found = frames_.FindOrAdd(digest, nextId_);
    if (found.isNew) {
        ++nextId_;
    }
    return found;
}

bool KnownFrames::Reserve(std::size_t frames) {
    if (!frames_.HasRoomFor(frames)) {
        return false;
    }
    frames_.Reserve(frames);
    return true;
}

}  // namespace orvex

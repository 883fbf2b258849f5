#include "archive/known_frames.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace orvex {

bool KnownFrames::CatchUp(ArchiveDatabase& database) {
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, digests FROM blocks WHERE id > ? ORDER BY id"));
    query.addBindValue(static_cast<qint64>(lastBlock_));
    if (!query.exec()) {
        database.NoteError(query.lastError().text());
        return false;
    }
    while (query.next()) {
        const std::int64_t block = query.value(0).toLongLong();
        if (!ReadBlock(block, query.value(1).toByteArray())) {
            database.NoteError(QStringLiteral("block %1 of the archive is damaged").arg(block));
            return false;
        }
        lastBlock_ = block;
    }
    return true;
}

bool KnownFrames::ReadBlock(std::int64_t block, const QByteArray& digests) {
    const auto count = static_cast<std::size_t>(digests.size()) / sizeof(FrameDigest::bytes);
    if (count > DigestTable::kMaxBlockFrames || !Reserve(count)) {
        return false;
    }
    std::uint32_t index = 0;
    return ForEachDigest(digests, [&](const FrameDigest& digest) {
        frames_.FindOrAdd(digest, FrameRef{block, index++});
    });
}

KnownFrames::Place KnownFrames::FindOrAdd(const FrameDigest& digest, std::uint32_t nextIndex) {
    const auto writing = -static_cast<std::int64_t>(storedBlocks_.size() + 1);
    auto [where, isNew] = frames_.FindOrAdd(digest, FrameRef{writing, nextIndex});
    if (where.block == writing) {
        where.block = 0;
    } else if (where.block < 0) {
        where.block = storedBlocks_[static_cast<std::size_t>(-where.block - 1)];
    }
    return {where, isNew};
}

bool KnownFrames::Reserve(std::size_t frames) {
    if (!frames_.HasRoomFor(frames)) {
        return false;
    }
    frames_.Reserve(frames);
    return true;
}

void KnownFrames::Stored(std::int64_t block) {
    storedBlocks_.push_back(block);
    if (block != 0) {
        lastBlock_ = block;
    }
}

void KnownFrames::Forget() {
    *this = KnownFrames();
}

}  // namespace orvex

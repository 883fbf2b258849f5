#include "archive/known_frames.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace orvex {

bool KnownFrames::CatchUp(ArchiveDatabase& database, std::int64_t logId) {
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT id, digests, CASE WHEN log_id = ? THEN hearings END FROM blocks "
                       "WHERE id > ? ORDER BY id"));
    query.addBindValue(static_cast<qint64>(logId));
    query.addBindValue(static_cast<qint64>(lastBlock_));
    if (!query.exec()) {
        database.NoteError(query.lastError().text());
        return false;
    }
    const std::size_t heardBefore = heard_.size();
    while (query.next()) {
        const std::int64_t block = query.value(0).toLongLong();
        if (!ReadBlock(block, query.value(1).toByteArray(), query.value(2).toByteArray())) {
            database.NoteError(QStringLiteral("block %1 of the archive is damaged").arg(block));
            return false;
        }
        lastBlock_ = block;
    }
    if (heard_.size() > heardBefore) {
        std::sort(heard_.begin(), heard_.end());
    }
    return true;
}

bool KnownFrames::ReadBlock(std::int64_t block, const QByteArray& digests,
                            const QByteArray& hearings) {
    const auto count = static_cast<std::size_t>(digests.size()) / sizeof(FrameDigest::bytes);
    if (count > DigestTable::kMaxBlockFrames || !Reserve(count)) {
        return false;
    }
    std::uint32_t index = 0;
    return ForEachDigest(digests,
                         [&](const FrameDigest& digest) {
                             frames_.FindOrAdd(digest, FrameRef{block, index++});
                         }) &&
           ForEachHearing(hearings,
                          [&](const Hearing& hearing) { heard_.push_back(hearing.offset); });
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

bool KnownFrames::Heard(std::uint64_t offset) const {
    return std::binary_search(heard_.begin(), heard_.end(), offset);
}

}  // namespace orvex

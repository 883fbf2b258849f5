#include "archive/heard_offsets.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

#include "archive/frame_block.h"

namespace orvex {

bool HeardOffsets::CatchUp(ArchiveDatabase& database) {
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT id, hearings FROM blocks WHERE log_id = ? AND id > ? ORDER BY id"));
    query.addBindValue(static_cast<qint64>(logId_));
    query.addBindValue(static_cast<qint64>(lastBlock_));
    if (!query.exec()) {
        database.NoteError(query.lastError().text());
        return false;
    }
    const std::size_t heardBefore = heard_.size();
    while (query.next()) {
        const std::int64_t block = query.value(0).toLongLong();
        if (!ForEachHearing(query.value(1).toByteArray(),
                            [this](const Hearing& hearing) { heard_.push_back(hearing.offset); })) {
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

bool HeardOffsets::Heard(std::uint64_t offset) const {
    return std::binary_search(heard_.begin(), heard_.end(), offset);
}

void HeardOffsets::Stored(std::int64_t block) {
    if (block != 0) {
        lastBlock_ = block;
    }
}

}  // namespace orvex

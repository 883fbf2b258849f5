#include "archive/archive_migration.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <string>
#include <unordered_map>
#include <vector>

#include "archive/archive_database.h"
#include "archive/archive_rows.h"
#include "archive/archive_schema.h"
#include "archive/frame_digest.h"
#include "archive/packed_blocks.h"
#include "archive/version4_move.h"

namespace orvex {
namespace {

// Rows read by one query of the old tables: read whole before the rows are
// written, as PostgreSQL's connection takes no other statement while a
// result is being read.
constexpr int kPageRows = 1024;

// The old tables move aside under names of their own, where the new ones
// are made; those that only held what the new ones make again go.
bool SetAside(ArchiveDatabase& database, int version, const QStringList& kept,
              const QStringList& dropped) {
    for (const QString& table : kept) {
        if (!database.Exec(
                QStringLiteral("ALTER TABLE %1 RENAME TO %1_v%2").arg(table).arg(version))) {
            return false;
        }
    }
    for (const QString& table : dropped) {
        if (!database.Exec(QStringLiteral("DROP TABLE %1").arg(table))) {
            return false;
        }
    }
    return MakeArchiveSchema(database);
}

// A log is known by its station, its path and its first frame: the old
// ones by their first hearing.
bool MoveLogs(ArchiveDatabase& database, int version) {
    return database.Exec(QStringLiteral("INSERT INTO logs (id, station, path) "
                                        "SELECT id, station, name FROM logs_v%1")
                             .arg(version));
}

// A log's first frame is that of its hearing at the lowest offset: a first
// hearing in a frame's row or another. One sort of them all, where a query
// a log would read every frame's row for each.
bool FinishLogs(ArchiveDatabase& database, const QStringList& old) {
    if (!database.Exec(QStringLiteral(
            "UPDATE logs SET first_frame_id = h.frame_id FROM (SELECT log_id, frame_id, "
            "ROW_NUMBER() OVER (PARTITION BY log_id ORDER BY byte_offset) AS n FROM "
            "(SELECT first_log_id AS log_id, first_offset AS byte_offset, id AS frame_id "
            "FROM frame_store UNION ALL SELECT log_id, byte_offset, frame_id "
            "FROM reception_store) a) h WHERE h.log_id = logs.id AND h.n = 1"))) {
        return false;
    }
    for (const QString& table : old) {
        if (!database.Exec(QStringLiteral("DROP TABLE ") + table)) {
            return false;
        }
    }
    return true;
}

bool Damaged(ArchiveDatabase& database, const QString& what) {
    database.NoteError(what + QStringLiteral(" of the archive is damaged"));
    return false;
}

// Version 2 kept a row per frame and per hearing, with the frames' numbers:
// they keep them.
bool MoveVersion2(ArchiveDatabase& database, ArchiveMigration& moved) {
    const SqlDialect& dialect = database.Dialect();
    if (!SetAside(database, 2, {"logs", "frames", "receptions"}, {"tlm", "wod", "status"}) ||
        !MoveLogs(database, 2)) {
        return false;
    }
    ArchiveRows rows;
    QSqlQuery page(database.Connection());
    if (!rows.Prepare(database) ||
        !database.Prepare(page, QStringLiteral("SELECT f.id, f.bytes, f.time, f.time_exact, "
                                               "f.first_log, f.first_offset, r.heard_at "
                                               "FROM frames_v2 f LEFT JOIN receptions_v2 r "
                                               "ON r.log_id = f.first_log AND "
                                               "r.byte_offset = f.first_offset AND "
                                               "r.frame_id = f.id WHERE f.id > ? "
                                               "ORDER BY f.id LIMIT %1")
                                    .arg(kPageRows))) {
        return false;
    }
    std::int64_t last = 0;
    for (int read = kPageRows; read == kPageRows;) {
        page.addBindValue(static_cast<qint64>(last));
        if (!database.Run(page)) {
            return false;
        }
        std::vector<std::pair<std::int64_t, std::pair<QByteArray, FrameHeard>>> frames;
        std::vector<std::int64_t> logs;
        while (page.next()) {
            FrameHeard heard;
            if (!page.value(2).isNull()) {
                heard.time = static_cast<std::uint32_t>(page.value(2).toLongLong());
            }
            heard.ownTime = page.value(3).toInt() != 0;
            heard.offset = static_cast<std::uint64_t>(page.value(5).toLongLong());
            if (!page.value(6).isNull()) {
                heard.arrival = static_cast<std::uint32_t>(page.value(6).toLongLong());
            }
            frames.push_back({page.value(0).toLongLong(), {page.value(1).toByteArray(), heard}});
            logs.push_back(page.value(4).toLongLong());
        }
        page.finish();
        read = static_cast<int>(frames.size());
        for (std::size_t at = 0; at < frames.size(); ++at) {
            const auto& [id, frame] = frames[at];
            const std::string_view bytes(frame.first.constData(),
                                         static_cast<std::size_t>(frame.first.size()));
            if (!rows.AddFrame(id, bytes, FrameDigest::Of(bytes), frame.second, logs[at]) ||
                !rows.AddReception(logs[at], frame.second, id)) {
                return false;
            }
            last = id;
            ++moved.frames;
        }
        if (!rows.Flush()) {
            return false;
        }
    }
    // The frames' first hearings are in their rows.
    QSqlQuery receptions(database.Connection());
    if (!rows.Flush() ||
        !database.Prepare(
            receptions,
            QStringLiteral("INSERT INTO reception_store (log_id, byte_offset, frame_id, "
                           "heard_utc) SELECT log_id, byte_offset, frame_id, %1 "
                           "FROM receptions_v2 r WHERE NOT EXISTS (SELECT 1 FROM frame_store f "
                           "WHERE f.id = r.frame_id AND f.first_log_id = r.log_id AND "
                           "f.first_offset = r.byte_offset)")
                .arg(dialect.TimeOfSeconds(QStringLiteral("heard_at")))) ||
        !database.Run(receptions)) {
        return false;
    }
    moved.receptions =
        rows.ReceptionsAdded() + static_cast<std::uint64_t>(receptions.numRowsAffected());
    receptions.finish();
    // SQLite drops no table while a statement of the connection reads.
    page.finish();
    return FinishLogs(database, {"receptions_v2", "frames_v2", "logs_v2"});
}

// Version 3 packed a block of frames, their digests and its hearings into a
// row; a hearing names its frame by its block and its place there. Frames
// are numbered in the order they were stored.
class Version3Move {
public:
    Version3Move(ArchiveDatabase& database, ArchiveMigration& moved)
        : database_(database), moved_(moved) {}

    bool Run() {
        if (!SetAside(database_, 3, {"logs", "blocks"}, {"tlm_hourly"}) ||
            !MoveLogs(database_, 3) || !rows_.Prepare(database_)) {
            return false;
        }
        QSqlQuery block(database_.Connection());
        if (!database_.Prepare(block, QStringLiteral("SELECT id, log_id, frames, hearings "
                                                     "FROM blocks_v3 WHERE id > ? ORDER BY id "
                                                     "LIMIT 1"))) {
            return false;
        }
        std::int64_t last = 0;
        while (true) {
            block.addBindValue(static_cast<qint64>(last));
            if (!database_.Run(block)) {
                return false;
            }
            if (!block.next()) {
                break;
            }
            last = block.value(0).toLongLong();
            const std::int64_t log = block.value(1).toLongLong();
            const QByteArray frames = block.value(2).toByteArray();
            const QByteArray hearings = block.value(3).toByteArray();
            block.finish();
            if (!MoveBlock(last, log, frames, hearings) || !rows_.Flush()) {
                return false;
            }
        }
        if (!rows_.Flush()) {
            return false;
        }
        moved_.receptions = rows_.ReceptionsAdded();
        block.finish();
        return FinishLogs(database_, {"blocks_v3", "logs_v3"});
    }

private:
    bool MoveBlock(std::int64_t block, std::int64_t log, const QByteArray& frames,
                   const QByteArray& hearings) {
        std::vector<std::int64_t>& numbers = numbers_[block];
        bool written = true;
        const bool framesRead = ForEachPackedFrame(frames, [&](const PackedFrame& frame) {
            const std::int64_t id = ++lastId_;
            numbers.push_back(id);
            ++moved_.frames;
            written =
                rows_.AddFrame(id, frame.bytes, FrameDigest::Of(frame.bytes),
                               {frame.time, frame.timeExact, frame.firstOffset, std::nullopt}, log);
            return written;
        });
        const bool hearingsRead =
            framesRead && ForEachPackedHearing(hearings, [&](const PackedHearing& hearing) {
                const auto holder = numbers_.find(hearing.block == 0 ? block : hearing.block);
                if (holder == numbers_.end() || hearing.index >= holder->second.size()) {
                    return false;
                }
                written =
                    rows_.AddReception(log, {std::nullopt, false, hearing.offset, std::nullopt},
                                       holder->second[hearing.index]);
                return written;
            });
        return hearingsRead ||
               (written && Damaged(database_, QStringLiteral("block %1").arg(block)));
    }

    ArchiveDatabase& database_;
    ArchiveMigration& moved_;
    ArchiveRows rows_;
    std::unordered_map<std::int64_t, std::vector<std::int64_t>> numbers_;  // by block
    std::int64_t lastId_ = 0;
};

}  // namespace

std::optional<ArchiveMigration> MigrateArchive(ArchiveDatabase& database, int from) {
    ArchiveMigration moved{from, 0, 0};
    bool done = false;
    if (from == 2) {
        done = MoveVersion2(database, moved);
    } else if (from == 3) {
        done = Version3Move(database, moved).Run();
    } else if (from == 4) {
        done = MoveVersion4(database, moved);
    } else {
        database.NoteError(QStringLiteral("its tables are of version %1, which this program "
                                          "cannot read; move it aside and archive the logs again")
                               .arg(from));
    }
    return done ? std::optional(moved) : std::nullopt;
}

}  // namespace orvex

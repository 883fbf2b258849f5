#include "archive/version4_move.h"

#include <QSqlQuery>
#include <QVariant>

#include <vector>

#include "archive/archive_database.h"
#include "archive/archive_rows.h"
#include "archive/archive_schema.h"
#include "archive/archive_views.h"
#include "archive/frame_digest.h"
#include "archive/table_rows.h"

namespace orvex {
namespace {

// Frames read by one query, each page read whole before its rows are
// written: PostgreSQL's connection takes no other statement while a result
// is being read.
constexpr int kPageFrames = 1024;

// The views read the old tables: they go first (one a keeper dropped is not
// missed), and come back over the new.
// The old tables keep their names' indexes, which the new ones take.
bool SetOldTablesAside(ArchiveDatabase& database) {
    for (const QString& view : ArchiveViewStatements(database.Dialect())) {
        if (!database.Exec(QStringLiteral("DROP VIEW IF EXISTS ") +
                           view.section(QLatin1Char(' '), 2, 2))) {
            return false;
        }
    }
    if (!database.Exec(QStringLiteral("DROP INDEX frame_store_by_time"))) {
        return false;
    }
    for (const char* table : {"frame_store", "reception_store"}) {
        if (!database.Exec(
                QStringLiteral("ALTER TABLE %1 RENAME TO %1_v4").arg(QLatin1String(table))) ||
            (database.IsPostgres() &&
             !database.Exec(QStringLiteral("ALTER INDEX %1_pkey RENAME TO %1_v4_pkey")
                                .arg(QLatin1String(table))))) {
            return false;
        }
    }
    return MakeTables(database, FrameTableStatements());
}

QVariant TimeOf(const QVariant& seconds) {
    return seconds.isNull() ? QVariant(QMetaType::fromType<QString>())
                            : QVariant(TimeText(seconds.toLongLong()));
}

// The frames after `last` as version 5 writes them, `read` of them; false
// when they cannot be moved. The check is taken from the stored digest, not
// the bytes, so that a frame damaged before the move is still found so.
bool MoveFramePage(ArchiveDatabase& database, QSqlQuery& page, TableRows& frames,
                   std::int64_t& last, std::size_t& read) {
    page.addBindValue(static_cast<qint64>(last));
    if (!database.Run(page)) {
        return false;
    }
    std::vector<std::vector<QVariant>> rows;
    while (page.next()) {
        std::vector<QVariant>& row = rows.emplace_back();
        for (int column = 0; column < 9; ++column) {
            row.push_back(page.value(column));
        }
    }
    page.finish();
    for (const std::vector<QVariant>& row : rows) {
        last = row[0].toLongLong();
        FrameDigest digest;
        if (!FrameDigest::Read(row[8].toByteArray(), digest)) {
            database.NoteError(QStringLiteral("the digest of frame %1 is damaged").arg(last));
            return false;
        }
        if (!frames.Add({row[0], TimeOf(row[1]), row[2], TimeOf(row[3]), row[4], digest.Check(),
                         row[5].toInt(), row[6].toBool(), row[7]})) {
            return false;
        }
    }
    read = rows.size();
    return frames.Flush();
}

bool MoveFrames(ArchiveDatabase& database, ArchiveMigration& moved) {
    const SqlDialect& dialect = database.Dialect();
    const std::unique_ptr<TableRows> frames = MakeTableRows(
        database, QStringLiteral("frame_store"), FrameStoreColumns(), TableRows::OnConflict::Fail);
    QSqlQuery page(database.Connection());
    if (!frames->Prepare(database) ||
        !database.Prepare(
            page, QStringLiteral("SELECT f.id, %1, f.first_offset, %2, f.first_log_id, f.type, "
                                 "f.own_time, f.bytes, f.digest FROM frame_store_v4 f "
                                 "LEFT JOIN reception_store_v4 r ON r.log_id = f.first_log_id "
                                 "AND r.byte_offset = f.first_offset AND r.frame_id = f.id "
                                 "WHERE f.id > ? ORDER BY f.id LIMIT %3")
                      .arg(dialect.Seconds(QStringLiteral("f.time_utc")),
                           dialect.Seconds(QStringLiteral("r.heard_utc")))
                      .arg(kPageFrames))) {
        return false;
    }
    std::int64_t last = 0;
    for (std::size_t read = kPageFrames; read == kPageFrames; moved.frames += read) {
        if (!MoveFramePage(database, page, *frames, last, read)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool MoveVersion4(ArchiveDatabase& database, ArchiveMigration& moved) {
    if (!SetOldTablesAside(database) || !MoveFrames(database, moved)) {
        return false;
    }
    QSqlQuery count(database.Connection());
    if (!database.Prepare(count, QStringLiteral("SELECT COUNT(*) FROM reception_store_v4")) ||
        !database.Run(count) || !count.next()) {
        return false;
    }
    moved.receptions = static_cast<std::uint64_t>(count.value(0).toLongLong());
    count.finish();
    return database.Exec(QStringLiteral(
               "INSERT INTO reception_store (log_id, byte_offset, frame_id, heard_utc) "
               "SELECT log_id, byte_offset, frame_id, heard_utc FROM reception_store_v4 r "
               "WHERE NOT EXISTS (SELECT 1 FROM frame_store f WHERE f.id = r.frame_id AND "
               "f.first_log_id = r.log_id AND f.first_offset = r.byte_offset)")) &&
           database.Exec(QStringLiteral("DROP TABLE reception_store_v4")) &&
           database.Exec(QStringLiteral("DROP TABLE frame_store_v4")) && MakeViews(database);
}

}  // namespace orvex

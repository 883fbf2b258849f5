#pragma once

#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <string>

#include "archive/archive_location.h"
#include "archive/archive_migration.h"
#include "archive/sql_dialect.h"

class QSqlQuery;

namespace orvex {

// One connection to the archive, through Qt SQL, so that SQLite and
// PostgreSQL run the same statements; the few that differ are asked of its
// dialect. Opening makes the tables on first use, moves those of an earlier
// version to this one, and refuses, untouched, a database that another
// program's tables fill.
class ArchiveDatabase {
public:
    static constexpr int kSchemaVersion = 5;

    explicit ArchiveDatabase(ArchiveLocation location);
    ~ArchiveDatabase();
    ArchiveDatabase(const ArchiveDatabase&) = delete;
    ArchiveDatabase& operator=(const ArchiveDatabase&) = delete;

    // Connects and makes the schema ready; false, with the reason for the
    // user in LastError, when the archive cannot be used.
    bool Open();
    // Connects to an archive another connection has opened, whose schema is
    // ready therefore.
    bool OpenAlongside();
    bool IsOpen() const { return open_; }
    // What Open moved from an earlier version, if it did.
    const std::optional<ArchiveMigration>& Migrated() const { return migrated_; }
    // How long a statement waits for another process's write to SQLite to
    // end; set before Open.
    void SetBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }
    int BusyTimeout() const { return busyTimeoutMs_; }

    const ArchiveLocation& Location() const { return location_; }
    QSqlDatabase& Connection() { return db_; }
    bool IsPostgres() const { return location_.engine == ArchiveLocation::Engine::Postgres; }
    const SqlDialect& Dialect() const { return dialect_; }

    // A transaction that holds the archive's write lock from its start, so
    // that one writer at a time adds frames, each seeing every frame added
    // before: SQLite's deferred one could fail half-way when another process
    // wrote first.
    bool Begin();
    bool Commit();
    void Rollback();
    // Runs one statement without parameters.
    bool Exec(const QString& statement);
    // Prepares a statement in the dialect's words, and runs a prepared one;
    // false with the error noted.
    bool Prepare(QSqlQuery& query, const QString& statement);
    bool Run(QSqlQuery& query);
    // The last failure's text, in the system's encoding.
    const std::string& LastError() const { return lastError_; }
    void NoteError(const QString& text);

private:
    bool Connect();
    bool ConnectPostgres();
    bool ReadyTheSchema();
    std::optional<int> SchemaVersion();
    bool MakeNewSchema();
    bool Refuse(const std::string& reason);

    ArchiveLocation location_;
    SqlDialect dialect_;
    QString name_;
    QSqlDatabase db_;
    bool open_ = false;
    int busyTimeoutMs_;
    std::optional<ArchiveMigration> migrated_;
    std::string lastError_;
};

}  // namespace orvex

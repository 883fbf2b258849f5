#pragma once

#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <string>

#include "archive/archive_location.h"

namespace orvex {

// One connection to the archive, through Qt SQL, so that SQLite and
// PostgreSQL run the same statements; the few that differ are asked of it.
// Opening creates the tables on first use and refuses an archive of another
// schema version.
class ArchiveDatabase {
public:
    static constexpr int kSchemaVersion = 3;

    explicit ArchiveDatabase(ArchiveLocation location);
    ~ArchiveDatabase();
    ArchiveDatabase(const ArchiveDatabase&) = delete;
    ArchiveDatabase& operator=(const ArchiveDatabase&) = delete;

    // Connects and makes the schema ready; why not, for the user.
    std::optional<std::string> Open();
    // Connects to an archive another connection has opened, whose schema is
    // ready therefore.
    std::optional<std::string> OpenAlongside();
    bool IsOpen() const { return open_; }
    // How long a statement waits for another process's write to SQLite to
    // end; set before Open.
    void SetBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }
    int BusyTimeout() const { return busyTimeoutMs_; }

    const ArchiveLocation& Location() const { return location_; }
    QSqlDatabase& Connection() { return db_; }
    bool IsPostgres() const { return location_.engine == ArchiveLocation::Engine::Postgres; }

    // A transaction that holds the right to write from its start: SQLite's
    // deferred one could fail half-way when another process wrote first.
    bool Begin();
    bool Commit();
    void Rollback();
    // Runs one statement without parameters.
    bool Exec(const QString& statement);
    // The last failure's text, in the system's encoding.
    std::string LastError() const { return lastError_; }
    void NoteError(const QString& text);
    // The statement in this engine's words: BLOB_TYPE, SERIAL_KEY, LEAST and
    // GREATEST are written as PostgreSQL's and SQLite's own.
    QString Dialect(QString statement) const;

private:
    std::optional<std::string> Connect();
    bool MakeSchema(int& version);

    ArchiveLocation location_;
    QString name_;
    QSqlDatabase db_;
    bool open_ = false;
    int busyTimeoutMs_;
    std::string lastError_;
};

}  // namespace orvex

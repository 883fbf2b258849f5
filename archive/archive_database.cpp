#include "archive/archive_database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

#include "archive/archive_schema.h"

namespace orvex {
namespace {

// A process may open several archives, or one several times, at once: each
// connection needs its own name.
QString NewConnectionName() {
    static std::atomic<int> count{0};
    return QStringLiteral("orvex-archive-%1").arg(count++);
}

// Long enough for another station's block of frames to be committed.
constexpr int kBusyTimeoutMs = 10000;

// Blocks of frames are values of half a megabyte: in pages of 64 KiB rather
// than SQLite's 4 KiB their chains are short. Takes effect only as the file
// is made.
constexpr int kSqlitePageBytes = 65536;

// Only one process creates the tables of a new PostgreSQL archive; the others
// wait for its transaction and then find them.
constexpr char kSchemaLockKey[] = "4f52564558";

}  // namespace

ArchiveDatabase::ArchiveDatabase(ArchiveLocation location)
    : location_(std::move(location)), name_(NewConnectionName()), busyTimeoutMs_(kBusyTimeoutMs) {}

ArchiveDatabase::~ArchiveDatabase() {
    if (db_.isValid()) {
        db_.close();
    }
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

std::optional<std::string> ArchiveDatabase::Open() {
    if (auto problem = Connect()) {
        return problem;
    }
    int version = 0;
    if (!MakeSchema(version)) {
        return lastError_;
    }
    if (version > kSchemaVersion) {
        return "its tables are of version " + std::to_string(version) +
               ", made by a later version of this program, which reads version " +
               std::to_string(kSchemaVersion);
    }
    if (version < kSchemaVersion) {
        return "its tables are of version " + std::to_string(version) +
               ", which this program no longer writes; move it aside and archive the logs again";
    }
    open_ = true;
    return std::nullopt;
}

std::optional<std::string> ArchiveDatabase::OpenAlongside() {
    if (auto problem = Connect()) {
        return problem;
    }
    open_ = true;
    return std::nullopt;
}

std::optional<std::string> ArchiveDatabase::Connect() {
    if (IsPostgres()) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        // Handed to libpq as they are: host, port, dbname, user, sslmode...
        db_.setConnectOptions(QString::fromLocal8Bit(location_.target));
    } else {
        const QString path = QString::fromLocal8Bit(location_.target);
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (!folder.isDir()) {
            return "the folder " + folder.filePath().toLocal8Bit().toStdString() +
                   " does not exist";
        }
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_));
    }
    if (!db_.isValid()) {
        return "the Qt SQL driver for " + std::string(IsPostgres() ? "PostgreSQL" : "SQLite") +
               " is not installed";
    }
    if (!db_.open()) {
        NoteError(db_.lastError().text());
        return lastError_;
    }
    // PostgreSQL tells of every table the schema's check finds in place.
    if (IsPostgres() && !Exec(QStringLiteral("SET client_min_messages TO WARNING"))) {
        return lastError_;
    }
    // WAL lets the window read while a load writes; NORMAL syncs at each
    // checkpoint rather than at each commit, and a power cut loses at most
    // the last blocks, never the file. A checkpoint every 250 pages, 16 MB:
    // it runs on the thread that writes the blocks, beside the decode, and
    // the last connection to close checkpoints the rest. One at each load's
    // end, or one every 64 MB, made archived decodes slower, short logs most
    // (bench/README.md).
    if (!IsPostgres() && (!Exec(QStringLiteral("PRAGMA page_size=%1").arg(kSqlitePageBytes)) ||
                          !Exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
                          !Exec(QStringLiteral("PRAGMA synchronous=NORMAL")) ||
                          !Exec(QStringLiteral("PRAGMA wal_autocheckpoint=250")))) {
        return lastError_;
    }
    return std::nullopt;
}

bool ArchiveDatabase::MakeSchema(int& version) {
    if (!Begin()) {
        return false;
    }
    bool made = !IsPostgres() || Exec(QStringLiteral("SELECT pg_advisory_xact_lock(x'%1'::bigint)")
                                          .arg(QLatin1String(kSchemaLockKey)));
    made = made && Exec(QStringLiteral(
                       "CREATE TABLE IF NOT EXISTS archive_schema (version INTEGER NOT NULL)"));
    QSqlQuery query(db_);
    made = made && query.exec(QStringLiteral("SELECT version FROM archive_schema"));
    if (made && query.next()) {
        version = query.value(0).toInt();
        query.finish();
        return Commit();
    }
    query.finish();
    for (const QString& statement : ArchiveSchemaStatements()) {
        made = made && Exec(Dialect(statement));
    }
    made =
        made &&
        Exec(
            QStringLiteral("INSERT INTO archive_schema (version) VALUES (%1)").arg(kSchemaVersion));
    if (!made || !Commit()) {
        Rollback();
        return false;
    }
    version = kSchemaVersion;
    return true;
}

QString ArchiveDatabase::Dialect(QString statement) const {
    statement.replace(QStringLiteral("BLOB_TYPE"),
                      IsPostgres() ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"));
    statement.replace(QStringLiteral("SERIAL_KEY"), IsPostgres()
                                                        ? QStringLiteral("BIGSERIAL PRIMARY KEY")
                                                        : QStringLiteral("INTEGER PRIMARY KEY"));
    if (!IsPostgres()) {
        // SQLite's MIN and MAX of two values are PostgreSQL's LEAST and GREATEST.
        statement.replace(QStringLiteral("LEAST("), QStringLiteral("MIN("));
        statement.replace(QStringLiteral("GREATEST("), QStringLiteral("MAX("));
    }
    return statement;
}

bool ArchiveDatabase::Begin() {
    return Exec(IsPostgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

bool ArchiveDatabase::Commit() {
    return Exec(QStringLiteral("COMMIT"));
}

void ArchiveDatabase::Rollback() {
    const std::string kept = lastError_;
    Exec(QStringLiteral("ROLLBACK"));
    lastError_ = kept;
}

bool ArchiveDatabase::Exec(const QString& statement) {
    QSqlQuery query(db_);
    if (!query.exec(statement)) {
        NoteError(query.lastError().text());
        return false;
    }
    return true;
}

void ArchiveDatabase::NoteError(const QString& text) {
    lastError_ = text.simplified().toLocal8Bit().toStdString();
}

}  // namespace orvex

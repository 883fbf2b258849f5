#include "archive/archive_database.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <atomic>

#include "archive/archive_schema.h"
#include "archive/postgres_parameters.h"

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

// The archive's write lock on PostgreSQL: an advisory lock, which asks for
// no privilege on any table, so that a station's role needs only the grants
// to read and add rows.
constexpr char kWriteLockKey[] = "4f52564558";

// libpq's value, quoted for the "key=value" options Qt hands it.
QString OptionValue(const std::string& value) {
    QString quoted = QString::fromStdString(value);
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

ArchiveDatabase::ArchiveDatabase(ArchiveLocation location)
    : location_(std::move(location)),
      dialect_(IsPostgres()),
      name_(NewConnectionName()),
      busyTimeoutMs_(kBusyTimeoutMs) {}

ArchiveDatabase::~ArchiveDatabase() {
    if (db_.isValid()) {
        db_.close();
    }
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

// WAL lets the window read while a load writes; it is set only once the
// database is known to be an archive, as it changes the file for every
// program that uses it.
bool ArchiveDatabase::Open() {
    if (!Connect() || !ReadyTheSchema()) {
        return false;
    }
    if (!IsPostgres() && !Exec(QStringLiteral("PRAGMA journal_mode=WAL"))) {
        return false;
    }
    open_ = true;
    return true;
}

bool ArchiveDatabase::OpenAlongside() {
    open_ = Connect();
    return open_;
}

bool ArchiveDatabase::Connect() {
    if (IsPostgres()) {
        if (!ConnectPostgres()) {
            return false;
        }
    } else {
        const QString path = QString::fromLocal8Bit(location_.target);
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (!folder.isDir()) {
            return Refuse("the folder " + folder.filePath().toLocal8Bit().toStdString() +
                          " does not exist");
        }
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_));
    }
    if (!db_.isValid()) {
        return Refuse("the Qt SQL driver for " +
                      std::string(IsPostgres() ? "PostgreSQL" : "SQLite") + " is not installed");
    }
    if (!db_.open()) {
        NoteError(db_.lastError().text());
        return false;
    }
    if (IsPostgres()) {
        return Exec(QStringLiteral("SET client_min_messages TO WARNING"));
    }
    // NORMAL syncs at each checkpoint rather than at each commit: a power
    // cut loses at most the last blocks, never the file. A checkpoint every
    // 250 pages runs on the thread that writes the blocks, beside the decode.
    return Exec(QStringLiteral("PRAGMA synchronous=NORMAL")) &&
           Exec(QStringLiteral("PRAGMA wal_autocheckpoint=250"));
}

// The connection string as libpq reads it; the password goes to Qt apart,
// as Qt would take a semicolon in the options for a separator.
bool ArchiveDatabase::ConnectPostgres() {
    std::string problem;
    const std::optional<PostgresParameters> parameters =
        ReadPostgresParameters(location_.target, problem);
    if (!parameters) {
        return Refuse(problem);
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    QStringList options;
    for (const PostgresParameter& parameter : *parameters) {
        if (parameter.keyword == "password") {
            db_.setPassword(QString::fromStdString(parameter.value));
        } else {
            options << QString::fromStdString(parameter.keyword) + QLatin1Char('=') +
                           OptionValue(parameter.value);
        }
    }
    db_.setConnectOptions(options.join(QLatin1Char(' ')));
    return true;
}

// Under the write lock, so that of two programs opening a new archive at
// once one makes the tables and the other finds them.
bool ArchiveDatabase::ReadyTheSchema() {
    if (!Begin()) {
        return false;
    }
    const std::optional<int> version = SchemaVersion();
    bool ready = version.has_value();
    if (ready && *version == 0) {
        ready = MakeNewSchema();
    } else if (ready && *version > kSchemaVersion) {
        ready = Refuse("its tables are of version " + std::to_string(*version) +
                       ", made by a later version of this program, which reads version " +
                       std::to_string(kSchemaVersion));
    } else if (ready && *version < kSchemaVersion) {
        migrated_ = MigrateArchive(*this, *version);
        ready = migrated_.has_value() &&
                Exec(QStringLiteral("UPDATE archive_schema SET version = %1").arg(kSchemaVersion));
    }
    if (!ready || !Commit()) {
        Rollback();
        migrated_.reset();
        return false;
    }
    return true;
}

// 0 for an empty database; nothing, with the reason noted, for one that
// holds another program's tables and no archive, or that cannot be read.
std::optional<int> ArchiveDatabase::SchemaVersion() {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    // pg_tables and pg_views list the tables a role has no grant on too.
    const QString tables = IsPostgres()
                               ? QStringLiteral(
                                     "SELECT tablename FROM pg_tables WHERE schemaname = "
                                     "current_schema() UNION SELECT viewname FROM pg_views "
                                     "WHERE schemaname = current_schema() ORDER BY 1")
                               : QStringLiteral(
                                     "SELECT name FROM sqlite_master WHERE type IN "
                                     "('table', 'view') AND name NOT LIKE 'sqlite\\_%' "
                                     "ESCAPE '\\' ORDER BY 1");
    if (!query.exec(tables)) {
        NoteError(query.lastError().text());
        return std::nullopt;
    }
    QStringList names;
    while (query.next()) {
        names << query.value(0).toString();
    }
    if (names.isEmpty()) {
        return 0;
    }
    if (!names.contains(QStringLiteral("archive_schema"))) {
        constexpr int kNamed = 3;
        Refuse("it holds tables of another program (" +
               names.mid(0, kNamed).join(QStringLiteral(", ")).toStdString() +
               (names.size() > kNamed ? ", ..." : "") + ") and no archive; name another database");
        return std::nullopt;
    }
    if (!query.exec(QStringLiteral("SELECT version FROM archive_schema")) || !query.next()) {
        NoteError(query.lastError().text());
        return std::nullopt;
    }
    return query.value(0).toInt();
}

bool ArchiveDatabase::MakeNewSchema() {
    return Exec(QStringLiteral("CREATE TABLE archive_schema (version INTEGER NOT NULL)")) &&
           MakeArchiveSchema(*this) &&
           Exec(QStringLiteral("INSERT INTO archive_schema (version) VALUES (%1)")
                    .arg(kSchemaVersion));
}

bool ArchiveDatabase::Refuse(const std::string& reason) {
    lastError_ = reason;
    return false;
}

bool ArchiveDatabase::Begin() {
    if (!IsPostgres()) {
        return Exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
    return Exec(QStringLiteral("BEGIN")) &&
           Exec(QStringLiteral("SELECT pg_advisory_xact_lock(x'%1'::bigint)")
                    .arg(QLatin1String(kWriteLockKey)));
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

bool ArchiveDatabase::Prepare(QSqlQuery& query, const QString& statement) {
    if (query.prepare(dialect_.Words(statement))) {
        return true;
    }
    NoteError(query.lastError().text());
    return false;
}

bool ArchiveDatabase::Run(QSqlQuery& query) {
    if (query.exec()) {
        return true;
    }
    NoteError(query.lastError().text());
    return false;
}

void ArchiveDatabase::NoteError(const QString& text) {
    lastError_ = text.simplified().toLocal8Bit().toStdString();
}

}  // namespace orvex

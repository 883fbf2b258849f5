#include "share/share_queue.h"

#include <fcntl.h>
#include <unistd.h>
#include <xxhash.h>

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <atomic>

namespace orvex {
namespace {

QString NewConnectionName() {
    static std::atomic<int> count{0};
    return QStringLiteral("orvex-share-%1").arg(count++);
}

// Another program's connection (the window's and a command line's) holds the
// write lock for one short transaction at a time.
constexpr int kBusyTimeoutMs = 10000;

constexpr const char* kSchema[] = {
    "CREATE TABLE IF NOT EXISTS servers (id INTEGER PRIMARY KEY, url TEXT NOT NULL UNIQUE)",
    // `id` is the order the frames are sent in.
    "CREATE TABLE IF NOT EXISTS waiting (id INTEGER PRIMARY KEY,"
    " server_id INTEGER NOT NULL REFERENCES servers (id), received_ms INTEGER NOT NULL,"
    " digest INTEGER NOT NULL, frame BLOB NOT NULL, norad_id INTEGER NOT NULL,"
    " source TEXT NOT NULL, latitude REAL NOT NULL, longitude REAL NOT NULL,"
    " UNIQUE (server_id, received_ms, digest))",
    "CREATE INDEX IF NOT EXISTS waiting_order ON waiting (server_id, id)",
    "CREATE TABLE IF NOT EXISTS delivered (server_id INTEGER NOT NULL,"
    " received_ms INTEGER NOT NULL, digest INTEGER NOT NULL,"
    " PRIMARY KEY (server_id, received_ms, digest)) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS set_aside (id INTEGER PRIMARY KEY,"
    " server_id INTEGER NOT NULL REFERENCES servers (id), received_ms INTEGER NOT NULL,"
    " digest INTEGER NOT NULL, frame BLOB NOT NULL, norad_id INTEGER NOT NULL,"
    " source TEXT NOT NULL, latitude REAL NOT NULL, longitude REAL NOT NULL,"
    " answer TEXT NOT NULL, UNIQUE (server_id, received_ms, digest))",
};

// The frame's digest, which tells it from another frame of the same
// millisecond: two frames received then differ in it but by a 2^-64 chance.
qint64 Digest(const std::string& bytes) {
    return static_cast<qint64>(XXH3_64bits(bytes.data(), bytes.size()));
}

QByteArray Blob(const std::string& bytes) {
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

// Made before SQLite makes it, so that it and its journal, which SQLite
// makes with the same permissions, are the owner's alone.
void CreateOwnerOnly(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
    }
}

}  // namespace

ShareQueue::ShareQueue(std::string path) : path_(std::move(path)), name_(NewConnectionName()) {}

ShareQueue::~ShareQueue() {
    if (db_.isValid()) {
        db_.close();
    }
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

std::optional<std::string> ShareQueue::Open() {
    const QString path = QString::fromLocal8Bit(path_);
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir()) {
        return "the folder " + folder.filePath().toLocal8Bit().toStdString() + " does not exist";
    }
    CreateOwnerOnly(path_);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    if (!db_.isValid()) {
        return std::string("the Qt SQL driver for SQLite is not installed");
    }
    db_.setDatabaseName(path);
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db_.open()) {
        Fail(db_.lastError().text());
        return problem_;
    }
    // WAL with NORMAL: a commit is in the file once it returns, whatever
    // becomes of the process; only a power cut may take the last ones.
    if (!Exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !Exec(QStringLiteral("PRAGMA synchronous=NORMAL")) || !MakeSchema()) {
        return problem_;
    }
    return std::nullopt;
}

bool ShareQueue::MakeSchema() {
    QSqlQuery version(db_);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next()) {
        return Fail(version.lastError().text());
    }
    const int found = version.value(0).toInt();
    version.finish();
    if (found > kSchemaVersion) {
        problem_ = "its tables are of version " + std::to_string(found) +
                   ", made by a later version of this program";
        return false;
    }
    if (!Exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return false;
    }
    for (const char* statement : kSchema) {
        if (!Exec(QString::fromLatin1(statement))) {
            return RollBack({});
        }
    }
    return (Exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion)) &&
            Exec(QStringLiteral("COMMIT"))) ||
           RollBack({});
}

std::optional<std::int64_t> ShareQueue::ServerKey(const std::string& url) {
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("INSERT OR IGNORE INTO servers (url) VALUES (?)"));
    query.addBindValue(QString::fromStdString(url));
    if (!query.exec()) {
        Fail(query.lastError().text());
        return std::nullopt;
    }
    query.prepare(QStringLiteral("SELECT id FROM servers WHERE url = ?"));
    query.addBindValue(QString::fromStdString(url));
    if (!query.exec() || !query.next()) {
        Fail(query.lastError().text());
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

bool ShareQueue::Add(const std::vector<SharedFrame>& frames,
                     const std::vector<std::int64_t>& servers, std::vector<std::uint64_t>& queued) {
    queued.assign(servers.size(), 0);
    if (!Exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return false;
    }
    QSqlQuery insert(db_);
    insert.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO waiting (server_id, received_ms, digest, frame, norad_id, source,"
        " latitude, longitude) SELECT ?, ?, ?, ?, ?, ?, ?, ?"
        " WHERE NOT EXISTS (SELECT 1 FROM delivered WHERE server_id = ? AND received_ms = ?"
        " AND digest = ?) AND NOT EXISTS (SELECT 1 FROM set_aside WHERE server_id = ?"
        " AND received_ms = ? AND digest = ?)"));
    for (const SharedFrame& frame : frames) {
        const qint64 digest = Digest(frame.bytes);
        const auto received = static_cast<qint64>(frame.receivedMs);
        for (std::size_t index = 0; index < servers.size(); ++index) {
            const auto server = static_cast<qint64>(servers[index]);
            for (const QVariant& value :
                 {QVariant(server), QVariant(received), QVariant(digest),
                  QVariant(Blob(frame.bytes)), QVariant(frame.station.noradId),
                  QVariant(QString::fromStdString(frame.station.callsign)),
                  QVariant(frame.station.latitude), QVariant(frame.station.longitude),
                  QVariant(server), QVariant(received), QVariant(digest), QVariant(server),
                  QVariant(received), QVariant(digest)}) {
                insert.addBindValue(value);
            }
            if (!insert.exec()) {
                queued.assign(servers.size(), 0);
                return RollBack(insert.lastError().text());
            }
            queued[index] += static_cast<std::uint64_t>(insert.numRowsAffected());
        }
    }
    if (!Exec(QStringLiteral("COMMIT"))) {
        queued.assign(servers.size(), 0);
        return RollBack({});
    }
    return true;
}

std::optional<ShareQueue::Waiting> ShareQueue::Next(std::int64_t server) {
    problem_.clear();
    QSqlQuery query(db_);
    query.prepare(QStringLiteral(
        "SELECT id, received_ms, frame, norad_id, source, latitude, longitude FROM waiting"
        " WHERE server_id = ? ORDER BY id LIMIT 1"));
    query.addBindValue(static_cast<qint64>(server));
    if (!query.exec()) {
        Fail(query.lastError().text());
        return std::nullopt;
    }
    if (!query.next()) {
        return std::nullopt;
    }
    Waiting waiting;
    waiting.row = query.value(0).toLongLong();
    SharedFrame& frame = waiting.frame;
    frame.receivedMs = query.value(1).toLongLong();
    const QByteArray bytes = query.value(2).toByteArray();
    frame.bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    frame.station.noradId = query.value(3).toUInt();
    frame.station.callsign = query.value(4).toString().toStdString();
    frame.station.latitude = query.value(5).toDouble();
    frame.station.longitude = query.value(6).toDouble();
    return waiting;
}

bool ShareQueue::MarkDelivered(std::int64_t server, const Waiting& waiting) {
    QSqlQuery copy(db_);
    copy.prepare(
        QStringLiteral("INSERT OR IGNORE INTO delivered (server_id, received_ms, digest)"
                       " SELECT server_id, received_ms, digest FROM waiting WHERE id = ?"));
    copy.addBindValue(static_cast<qint64>(waiting.row));
    return Move(server, waiting, copy);
}

bool ShareQueue::SetAside(std::int64_t server, const Waiting& waiting, const std::string& answer) {
    QSqlQuery copy(db_);
    copy.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO set_aside (server_id, received_ms, digest, frame, norad_id,"
        " source, latitude, longitude, answer) SELECT server_id, received_ms, digest, frame,"
        " norad_id, source, latitude, longitude, ? FROM waiting WHERE id = ?"));
    copy.addBindValue(QString::fromStdString(answer));
    copy.addBindValue(static_cast<qint64>(waiting.row));
    return Move(server, waiting, copy);
}

// Runs the prepared copy of the waiting row and removes the row, in one
// transaction.
bool ShareQueue::Move(std::int64_t server, const Waiting& waiting, QSqlQuery& copy) {
    if (!Exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return false;
    }
    QSqlQuery remove(db_);
    remove.prepare(QStringLiteral("DELETE FROM waiting WHERE id = ? AND server_id = ?"));
    remove.addBindValue(static_cast<qint64>(waiting.row));
    remove.addBindValue(static_cast<qint64>(server));
    if (!copy.exec()) {
        return RollBack(copy.lastError().text());
    }
    if (!remove.exec()) {
        return RollBack(remove.lastError().text());
    }
    return Exec(QStringLiteral("COMMIT")) || RollBack({});
}

std::optional<std::uint64_t> ShareQueue::CountWaiting(std::int64_t server) {
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM waiting WHERE server_id = ?"));
    query.addBindValue(static_cast<qint64>(server));
    if (!query.exec() || !query.next()) {
        Fail(query.lastError().text());
        return std::nullopt;
    }
    return query.value(0).toULongLong();
}

bool ShareQueue::Exec(const QString& statement) {
    QSqlQuery query(db_);
    return query.exec(statement) || Fail(query.lastError().text());
}

bool ShareQueue::Fail(const QString& text) {
    problem_ = text.simplified().toLocal8Bit().toStdString();
    return false;
}

bool ShareQueue::RollBack(const QString& failure) {
    if (!failure.isEmpty()) {
        Fail(failure);
    }
    const std::string kept = problem_;
    Exec(QStringLiteral("ROLLBACK"));
    problem_ = kept;
    return false;
}

std::string DefaultShareQueuePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/orvex");
    QDir().mkpath(folder);
    return (folder + QStringLiteral("/share-queue.sqlite")).toLocal8Bit().toStdString();
}

}  // namespace orvex

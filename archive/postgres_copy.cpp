#include "archive/postgres_copy.h"

#include <QSqlDriver>
#include <QSqlQuery>

#include <array>
#include <charconv>
#include <cstdlib>

#include <libpq-fe.h>

#include "archive/archive_database.h"

namespace orvex {
namespace {

// A value in COPY's text form: \N for none, a backslash before the
// characters that would end a field or a row.
void AppendCopyText(std::string& out, const QByteArray& text) {
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out.push_back(c);
        }
    }
}

void AppendBytes(std::string& out, const QByteArray& bytes) {
    out += "\\\\x";  // bytea's hex form, its backslash written as COPY writes one
    out += bytes.toHex().toStdString();
}

void AppendNumber(std::string& out, auto number) {
    std::array<char, 32> digits{};
    out.append(digits.data(), std::to_chars(digits.begin(), digits.end(), number).ptr);
}

void AppendValue(std::string& out, const QVariant& value) {
    if (value.isNull()) {
        out += "\\N";
        return;
    }
    switch (value.typeId()) {
        case QMetaType::Bool:
            out += value.toBool() ? "t" : "f";
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
            AppendNumber(out, value.toLongLong());
            break;
        case QMetaType::Double:
            AppendNumber(out, value.toDouble());
            break;
        case QMetaType::QByteArray:
            AppendBytes(out, value.toByteArray());
            break;
        default:
            AppendCopyText(out, value.toString().toUtf8());
    }
}

}  // namespace

PostgresCopy::PostgresCopy(QString table, QStringList columns, OnConflict conflict,
                           QString keepOnly)
    : table_(std::move(table)),
      columns_(std::move(columns)),
      conflict_(conflict),
      keepOnly_(std::move(keepOnly)) {}

// The driver hands out its connection as Qt's documentation shows, under
// the name of libpq's struct in Qt 6; the temporary table lives as long as
// the connection.
bool PostgresCopy::Prepare(ArchiveDatabase& database) {
    database_ = &database;
    added_ = 0;
    rows_.clear();
    const QVariant handle = database.Connection().driver()->handle();
    const char* type = handle.typeName();
    if (!handle.isValid() || (qstrcmp(type, "pg_conn*") != 0 && qstrcmp(type, "PGconn*") != 0)) {
        return Fail("Qt's PostgreSQL driver does not hand out its connection");
    }
    connection_ = *static_cast<PGconn* const*>(handle.constData());
    if (conflict_ == OnConflict::Fail) {
        return true;
    }
    staged_ = QStringLiteral("staged_") + table_;
    return database.Exec(
        QStringLiteral("CREATE TEMPORARY TABLE IF NOT EXISTS %1 (LIKE %2)").arg(staged_, table_));
}

bool PostgresCopy::Add(std::initializer_list<QVariant> values) {
    bool first = true;
    for (const QVariant& value : values) {
        if (!first) {
            rows_.push_back('\t');
        }
        first = false;
        AppendValue(rows_, value);
    }
    rows_.push_back('\n');
    return true;
}

bool PostgresCopy::Flush() {
    if (rows_.empty()) {
        return true;
    }
    const bool copied = Copy(conflict_ == OnConflict::Skip ? staged_ : table_);
    rows_.clear();
    if (!copied || conflict_ == OnConflict::Fail) {
        return copied;
    }
    const QString columns = columns_.join(QStringLiteral(", "));
    const QString kept = keepOnly_.isEmpty() ? QString() : QStringLiteral(" WHERE ") + keepOnly_;
    QSqlQuery merge(database_->Connection());
    if (!database_->Prepare(merge, QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 r%4 "
                                                  "ON CONFLICT DO NOTHING")
                                       .arg(table_, columns, staged_, kept)) ||
        !database_->Run(merge)) {
        return false;
    }
    added_ += static_cast<std::uint64_t>(std::max(0, merge.numRowsAffected()));
    return database_->Exec(QStringLiteral("TRUNCATE ") + staged_);
}

// COPY's three steps: the statement, the rows, their end, each answered.
bool PostgresCopy::Copy(const QString& table) {
    const QByteArray statement = QStringLiteral("COPY %1 (%2) FROM STDIN")
                                     .arg(table, columns_.join(QStringLiteral(", ")))
                                     .toUtf8();
    PGresult* started = PQexec(connection_, statement.constData());
    const bool copying = PQresultStatus(started) == PGRES_COPY_IN;
    PQclear(started);
    if (!copying) {
        return Fail(PQerrorMessage(connection_));
    }
    const bool sent = PQputCopyData(connection_, rows_.data(), static_cast<int>(rows_.size())) == 1;
    PQputCopyEnd(connection_, sent ? nullptr : "the rows could not be sent");
    bool done = sent;
    std::string problem;
    while (PGresult* result = PQgetResult(connection_)) {
        if (PQresultStatus(result) == PGRES_COMMAND_OK) {
            added_ +=
                conflict_ == OnConflict::Fail ? std::strtoull(PQcmdTuples(result), nullptr, 10) : 0;
        } else {
            done = false;
            problem = PQresultErrorMessage(result);
        }
        PQclear(result);
    }
    return done || Fail(problem.empty() ? PQerrorMessage(connection_) : problem);
}

bool PostgresCopy::Fail(const std::string& reason) {
    database_->NoteError(QString::fromLocal8Bit(reason));
    return false;
}

}  // namespace orvex

#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

namespace orvex {

// What SQLite and PostgreSQL write differently, for the statements the
// archive shares between them.
class SqlDialect {
public:
    explicit SqlDialect(bool postgres) : postgres_(postgres) {}

    bool IsPostgres() const { return postgres_; }

    // The statement in this engine's words for the shared ones:
    //   ID_KEY      a whole-number key: SQLite's row key itself
    //   TIME_TYPE   a UTC time: PostgreSQL's timestamp, SQLite's ISO 8601 text
    //   BLOB_TYPE   bytes
    //   KEYED_ONLY  a table that is only its key (SQLite's WITHOUT ROWID)
    //   TIME_INDEX(column)  the index of a time column filled mostly in
    //               order: PostgreSQL's BRIN, SQLite's B-tree
    //   LEAST(, GREATEST(  the smaller and larger of two values
    QString Words(QString statement) const;

    // A UTC time column as seconds since 1970, and back.
    QString Seconds(const QString& time) const;
    QString TimeOfSeconds(const QString& seconds) const;
    // The byte at `offset` of a bytes column, 0..255. On SQLite the query
    // reads it through the table byte_values, which ByteSource joins.
    QString ByteAt(const QString& bytes, std::size_t offset) const;
    QString ByteSource() const;
    // `value` as a literal both engines read as exactly this double.
    QString Real(double value) const;

private:
    bool postgres_;
};

// A frame time as the archive writes it and binds it: ISO 8601 in UTC,
// "2026-03-01T12:00:00Z", which SQLite keeps as text in time order and
// PostgreSQL reads into its timestamp. Seconds outside 0..2^32-1 are held
// at the nearer end.
QString TimeText(std::int64_t seconds);

}  // namespace orvex

#include "archive/sql_dialect.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "text/iso_time.h"

namespace orvex {

QString SqlDialect::Words(QString statement) const {
    statement.replace(QStringLiteral("ID_KEY"), postgres_ ? QStringLiteral("BIGINT PRIMARY KEY")
                                                          : QStringLiteral("INTEGER PRIMARY KEY"));
    // Whole seconds, as frames carry them.
    statement.replace(QStringLiteral("TIME_TYPE"),
                      postgres_ ? QStringLiteral("TIMESTAMP(0)") : QStringLiteral("TEXT"));
    statement.replace(QStringLiteral("BLOB_TYPE"),
                      postgres_ ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"));
    statement.replace(QStringLiteral(" KEYED_ONLY"),
                      postgres_ ? QString() : QStringLiteral(" WITHOUT ROWID"));
    // A BRIN index is a few kB where PostgreSQL's B-tree of a year's frames
    // is 12 MB: it keeps each range's first and last time, and a day is
    // about two ranges of 16 pages. Frames stored out of time order widen
    // the ranges, and a query reads more of them (bench/README.md). Each
    // log's new ranges are summarized when it is written (BlockWriter), not
    // by autosummarize, whose queue a bulk import overflows, filling the
    // server's log with a line for each range it dropped.
    static const QRegularExpression kTimeIndex(QStringLiteral("TIME_INDEX\\((\\w+)\\)"));
    statement.replace(kTimeIndex,
                      postgres_ ? QStringLiteral("USING brin (\\1) WITH (pages_per_range = 16)")
                                : QStringLiteral("(\\1)"));
    if (!postgres_) {
        // SQLite's MIN and MAX of two values are PostgreSQL's LEAST and GREATEST.
        statement.replace(QStringLiteral("LEAST("), QStringLiteral("MIN("));
        statement.replace(QStringLiteral("GREATEST("), QStringLiteral("MAX("));
    }
    return statement;
}

QString SqlDialect::Seconds(const QString& time) const {
    return postgres_ ? QStringLiteral("CAST(EXTRACT(EPOCH FROM %1) AS BIGINT)").arg(time)
                     : QStringLiteral("CAST(strftime('%s', %1) AS INTEGER)").arg(time);
}

QString SqlDialect::TimeOfSeconds(const QString& seconds) const {
    return postgres_
               ? QStringLiteral("(to_timestamp(%1) AT TIME ZONE 'UTC')").arg(seconds)
               : QStringLiteral("strftime('%Y-%m-%dT%H:%M:%SZ', %1, 'unixepoch')").arg(seconds);
}

// SQLite has no function that reads one byte of a blob as a number, but its
// instr finds a blob within a blob: in the 256 bytes 00 01 .. FF, a byte
// lies one past its value.
QString SqlDialect::ByteAt(const QString& bytes, std::size_t offset) const {
    return postgres_ ? QStringLiteral("get_byte(%1, %2)").arg(bytes).arg(offset)
                     : QStringLiteral("(instr(v.all_values, substr(%1, %2, 1)) - 1)")
                           .arg(bytes)
                           .arg(offset + 1);
}

QString SqlDialect::ByteSource() const {
    return postgres_ ? QString() : QStringLiteral(" CROSS JOIN byte_values v");
}

// The shortest digits that read back as the same double; PostgreSQL would
// take a bare decimal for its exact numeric type.
QString SqlDialect::Real(double value) const {
    std::array<char, 32> digits{};
    const auto end = std::to_chars(digits.begin(), digits.end(), value).ptr;
    std::string text(digits.begin(), end);
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == '.' || c == 'e'; })) {
        text += ".0";  // else a whole number, for SQLite
    }
    const QString literal = QString::fromLatin1(text);
    return postgres_ ? QStringLiteral("CAST(%1 AS DOUBLE PRECISION)").arg(literal) : literal;
}

QString TimeText(std::int64_t seconds) {
    std::string text;
    AppendIsoUtc(text,
                 static_cast<std::uint32_t>(std::clamp<std::int64_t>(seconds, 0, UINT32_MAX)));
    return QString::fromLatin1(text);
}

}  // namespace orvex

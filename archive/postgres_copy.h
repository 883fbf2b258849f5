#pragma once

#include <string>

#include "archive/table_rows.h"

struct pg_conn;

namespace orvex {

// PostgreSQL's rows through COPY on the Qt driver's own libpq connection:
// the server reads a block's rows as one stream of text, where a statement
// of many rows cost it a plan and an expression for every value, several
// times the server's time (bench/README.md). COPY takes no
// conflicting row, so rows that may conflict go to a temporary table of the
// connection first and from there to the table, skipping those it holds.
class PostgresCopy : public TableRows {
public:
    PostgresCopy(QString table, QStringList columns, OnConflict conflict, QString keepOnly);

    bool Prepare(ArchiveDatabase& database) override;
    bool Add(std::initializer_list<QVariant> values) override;
    bool Flush() override;
    std::uint64_t Added() const override { return added_; }

private:
    bool Copy(const QString& table);
    bool Fail(const std::string& reason);

    QString table_;
    QStringList columns_;
    OnConflict conflict_;
    QString keepOnly_;
    QString staged_;
    ArchiveDatabase* database_ = nullptr;
    pg_conn* connection_ = nullptr;
    std::string rows_;  // COPY's text form
    std::uint64_t added_ = 0;
};

}  // namespace orvex

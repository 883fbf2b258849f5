#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <initializer_list>
#include <memory>

namespace orvex {

class ArchiveDatabase;

// Rows added to one table within a transaction, gathered and written in
// batches, each engine the way it takes many rows fastest.
class TableRows {
public:
    // What becomes of a row whose key the table holds already: a failure,
    // or nothing.
    enum class OnConflict { Fail, Skip };

    virtual ~TableRows() = default;

    // Readies the statements on the database's connection; false with the
    // error noted.
    virtual bool Prepare(ArchiveDatabase& database) = 0;
    // The next row's values, in the order of the columns; false (the
    // database's error noted) when rows written meanwhile failed.
    virtual bool Add(std::initializer_list<QVariant> values) = 0;
    // Writes the rows waiting.
    virtual bool Flush() = 0;
    // The rows the table took since Prepare.
    virtual std::uint64_t Added() const = 0;
};

// PostgreSQL's COPY, or SQLite's statements of many rows. Rows that are
// skipped on a conflict may also have to meet `keepOnly`, a condition on
// the new row, named r, beside its key.
std::unique_ptr<TableRows> MakeTableRows(const ArchiveDatabase& database, const QString& table,
                                         const QStringList& columns, TableRows::OnConflict conflict,
                                         const QString& keepOnly = {});

}  // namespace orvex

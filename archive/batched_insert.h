#pragma once

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <initializer_list>

namespace orvex {

class ArchiveDatabase;

// Rows added to one table, many to a statement: one round trip to
// PostgreSQL for each statement rather than for each row, and one call into
// Qt for SQLite. The statement of many rows and the statement of one are
// prepared once; the rows that do not fill a statement at the end are
// written one by one.
class BatchedInsert {
public:
    // INSERT INTO `table` (`columns`) VALUES ... `tail`, in the dialect's
    // words.
    BatchedInsert(QString table, QStringList columns, QString tail = {});

    bool Prepare(ArchiveDatabase& database);
    // The next row's values, in the order of the columns; false (the
    // database's error noted) when a full statement's rows failed.
    bool Add(std::initializer_list<QVariant> values);
    // Writes the rows waiting.
    bool Flush();
    // The rows the database took since Prepare: those another row's key
    // kept out are not counted.
    std::uint64_t Added() const { return added_; }

private:
    QString Statement(int rows) const;
    bool Run(QSqlQuery& query, const QList<QVariant>& values, qsizetype from, int rows);

    QString table_;
    QStringList columns_;
    QString tail_;
    int rowsPerStatement_ = 1;
    ArchiveDatabase* database_ = nullptr;
    QSqlQuery many_;
    QSqlQuery one_;
    QList<QVariant> waiting_;
    std::uint64_t added_ = 0;
};

}  // namespace orvex

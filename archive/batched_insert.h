#pragma once

#include <QList>
#include <QSqlQuery>

#include "archive/table_rows.h"

namespace orvex {

// SQLite's rows, many to a statement: one call into Qt and SQLite for many
// rows. The statement of many rows and the statement of one (a stream's
// frame at a time) are prepared once; the rows that do not fill a statement
// at the end go by one prepared for them.
class BatchedInsert : public TableRows {
public:
    BatchedInsert(QString table, QStringList columns, OnConflict conflict, QString keepOnly);

    bool Prepare(ArchiveDatabase& database) override;
    bool Add(std::initializer_list<QVariant> values) override;
    bool Flush() override;
    std::uint64_t Added() const override { return added_; }

private:
    QString Statement(int rows) const;
    bool Run(QSqlQuery& query, const QList<QVariant>& values, qsizetype from, int rows);

    QString table_;
    QStringList columns_;
    OnConflict conflict_;
    QString keepOnly_;
    int rowsPerStatement_ = 1;
    ArchiveDatabase* database_ = nullptr;
    QSqlQuery many_;
    QSqlQuery one_;
    QList<QVariant> waiting_;
    std::uint64_t added_ = 0;
};

}  // namespace orvex

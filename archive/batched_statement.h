#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

namespace orvex {

class ArchiveDatabase;

// One statement run over many rows of bound values, many rows at a time:
// each QSqlQuery::exec costs about 8 us whatever its size, against about
// 0.1 us a bound value, so a frame's rows sent one statement each cost the
// archive forty times the decode.
class BatchedStatement {
public:
    // The statement's text for a given number of rows, with `columns`
    // placeholders in each.
    using Text = std::function<QString(int rows)>;
    // Executes a prepared and bound statement and reads what it returns;
    // false stops the batch.
    using Runner = std::function<bool(QSqlQuery&)>;

    // A statement that cannot be prepared is noted on `database`.
    BatchedStatement(ArchiveDatabase& database, Text text, int columns);

    // Appends the next value of the current row.
    void Add(QVariant value) { values_.push_back(std::move(value)); }
    bool Empty() const { return values_.empty(); }
    // Runs the statement over every row added, then forgets them, whether
    // or not they were all run.
    bool RunAll(const Runner& run);
    // Forgets the rows added.
    void Clear() { values_.clear(); }

    // "(?, ?), (?, ?)": `rows` groups of `columns` placeholders.
    static QString RowPlaceholders(int rows, int columns);

private:
    bool Prepare(QSqlQuery& query, int rows);
    bool RunRows(QSqlQuery& query, int firstRow, int rows, const Runner& run);

    ArchiveDatabase& database_;
    Text text_;
    int columns_;
    int rowsPerStatement_;
    QSqlQuery full_;  // prepared for rowsPerStatement_ rows on first use
    bool fullPrepared_ = false;
    std::vector<QVariant> values_;
};

}  // namespace orvex

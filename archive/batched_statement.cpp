#include "archive/batched_statement.h"

#include <QSqlError>

#include <algorithm>

#include "archive/archive_database.h"

namespace orvex {
namespace {

// Bound values per statement, the fastest of those measured (see
// bench/README.md): with more, Qt's SQLite driver spends longer finding each
// parameter of a longer statement; with fewer, statements' own cost returns.
constexpr int kValuesPerStatement = 250;

}  // namespace

BatchedStatement::BatchedStatement(ArchiveDatabase& database, Text text, int columns)
    : database_(database),
      text_(std::move(text)),
      columns_(columns),
      rowsPerStatement_(std::max(1, kValuesPerStatement / columns)),
      full_(database.Connection()) {}

QString BatchedStatement::RowPlaceholders(int rows, int columns) {
    QString row = QStringLiteral("(?");
    for (int column = 1; column < columns; ++column) {
        row += QStringLiteral(", ?");
    }
    row += QLatin1Char(')');
    QString all = row;
    for (int index = 1; index < rows; ++index) {
        all += QStringLiteral(", ") + row;
    }
    return all;
}

bool BatchedStatement::RunAll(const Runner& run) {
    const int rows = static_cast<int>(values_.size()) / columns_;
    int first = 0;
    bool ran = true;
    if (rows >= rowsPerStatement_ && !fullPrepared_) {
        fullPrepared_ = Prepare(full_, rowsPerStatement_);
        ran = fullPrepared_;
    }
    for (; ran && rows - first >= rowsPerStatement_; first += rowsPerStatement_) {
        ran = RunRows(full_, first, rowsPerStatement_, run);
    }
    if (ran && first < rows) {
        QSqlQuery rest(database_.Connection());
        ran = Prepare(rest, rows - first) && RunRows(rest, first, rows - first, run);
    }
    values_.clear();
    return ran;
}

bool BatchedStatement::Prepare(QSqlQuery& query, int rows) {
    if (query.prepare(text_(rows))) {
        return true;
    }
    database_.NoteError(query.lastError().text());
    return false;
}

bool BatchedStatement::RunRows(QSqlQuery& query, int firstRow, int rows, const Runner& run) {
    const auto first = static_cast<std::size_t>(firstRow) * static_cast<std::size_t>(columns_);
    const int count = rows * columns_;
    for (int index = 0; index < count; ++index) {
        query.bindValue(index, values_[first + static_cast<std::size_t>(index)]);
    }
    const bool ran = run(query);
    query.finish();
    return ran;
}

}  // namespace orvex

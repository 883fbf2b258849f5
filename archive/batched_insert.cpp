#include "archive/batched_insert.h"

#include <algorithm>

#include "archive/archive_database.h"

namespace orvex {
namespace {

// Values bound to one statement. Qt asks SQLite the name of each value it
// binds, which SQLite finds by a search through the statement's: beyond a
// few hundred values that search costs more than the calls saved.
constexpr int kValuesPerStatement = 256;

}  // namespace

BatchedInsert::BatchedInsert(QString table, QStringList columns, QString tail)
    : table_(std::move(table)),
      columns_(std::move(columns)),
      tail_(std::move(tail)),
      rowsPerStatement_(std::max<int>(1, kValuesPerStatement / static_cast<int>(columns_.size()))) {
}

QString BatchedInsert::Statement(int rows) const {
    QStringList marks(columns_.size(), QStringLiteral("?"));
    const QString row = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3%4")
        .arg(table_, columns_.join(QStringLiteral(", ")),
             QStringList(rows, row).join(QStringLiteral(", ")),
             tail_.isEmpty() ? QString() : QLatin1Char(' ') + tail_);
}

bool BatchedInsert::Prepare(ArchiveDatabase& database) {
    database_ = &database;
    many_ = QSqlQuery(database.Connection());
    one_ = QSqlQuery(database.Connection());
    waiting_.clear();
    added_ = 0;
    return database.Prepare(many_, Statement(rowsPerStatement_)) &&
           database.Prepare(one_, Statement(1));
}

bool BatchedInsert::Add(std::initializer_list<QVariant> values) {
    waiting_.append(values);
    const qsizetype full = static_cast<qsizetype>(rowsPerStatement_) * columns_.size();
    if (waiting_.size() < full) {
        return true;
    }
    const bool written = Run(many_, waiting_, 0, rowsPerStatement_);
    waiting_.clear();
    return written;
}

bool BatchedInsert::Flush() {
    bool written = true;
    for (qsizetype from = 0; written && from < waiting_.size(); from += columns_.size()) {
        written = Run(one_, waiting_, from, 1);
    }
    waiting_.clear();
    return written;
}

bool BatchedInsert::Run(QSqlQuery& query, const QList<QVariant>& values, qsizetype from, int rows) {
    const qsizetype count = static_cast<qsizetype>(rows) * columns_.size();
    for (qsizetype at = 0; at < count; ++at) {
        query.bindValue(static_cast<int>(at), values[from + at]);
    }
    if (!database_->Run(query)) {
        return false;
    }
    added_ += static_cast<std::uint64_t>(std::max(0, query.numRowsAffected()));
    return true;
}

}  // namespace orvex

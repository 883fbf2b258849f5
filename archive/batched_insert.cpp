#include "archive/batched_insert.h"

#include <algorithm>

#include "archive/archive_database.h"

namespace orvex {
namespace {

// Values bound to one statement. Qt asks SQLite the name of each value it
// binds, which SQLite finds by a search through the statement's, so that a
// statement's binding costs the square of its values: more values made a
// year of passes slower (bench/README.md).
constexpr int kValuesPerStatement = 64;

}  // namespace

BatchedInsert::BatchedInsert(QString table, QStringList columns, OnConflict conflict,
                             QString keepOnly)
    : table_(std::move(table)),
      columns_(std::move(columns)),
      conflict_(conflict),
      keepOnly_(std::move(keepOnly)) {}

QString BatchedInsert::Statement(int rows) const {
    QStringList marks(columns_.size(), QStringLiteral("?"));
    const QString row = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    const QString columns = columns_.join(QStringLiteral(", "));
    const QString values = QStringList(rows, row).join(QStringLiteral(", "));
    const QString skip =
        conflict_ == OnConflict::Skip ? QStringLiteral(" ON CONFLICT DO NOTHING") : QString();
    if (!keepOnly_.isEmpty()) {
        // The rows named r, so that the condition reads them.
        return QStringLiteral(
                   "WITH r (%2) AS (VALUES %3) INSERT INTO %1 (%2) SELECT %2 FROM r "
                   "WHERE %4%5")
            .arg(table_, columns, values, keepOnly_, skip);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3%4").arg(table_, columns, values, skip);
}

bool BatchedInsert::Prepare(ArchiveDatabase& database) {
    database_ = &database;
    rowsPerStatement_ = std::max<int>(1, kValuesPerStatement / static_cast<int>(columns_.size()));
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

// The rows that do not fill a statement go by one prepared for them: one
// by one, a block's last rows cost PostgreSQL a round trip each.
bool BatchedInsert::Flush() {
    if (waiting_.isEmpty()) {
        return true;
    }
    const auto rows = static_cast<int>(waiting_.size() / columns_.size());
    QSqlQuery rest(database_->Connection());
    const bool written =
        rows == 1 ? Run(one_, waiting_, 0, 1)
                  : database_->Prepare(rest, Statement(rows)) && Run(rest, waiting_, 0, rows);
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

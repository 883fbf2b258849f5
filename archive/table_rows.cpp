#include "archive/table_rows.h"

#include "archive/archive_database.h"
#include "archive/batched_insert.h"
#include "archive/postgres_copy.h"

namespace orvex {

std::unique_ptr<TableRows> MakeTableRows(const ArchiveDatabase& database, const QString& table,
                                         const QStringList& columns, TableRows::OnConflict conflict,
                                         const QString& keepOnly) {
    if (database.IsPostgres()) {
        return std::make_unique<PostgresCopy>(table, columns, conflict, keepOnly);
    }
    return std::make_unique<BatchedInsert>(table, columns, conflict, keepOnly);
}

}  // namespace orvex

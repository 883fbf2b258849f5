#include "archive/archive_schema.h"

#include "archive/hourly_extremes.h"
#include "telemetry/channel_table.h"

namespace orvex {

QStringList ArchiveSchemaStatements() {
    // INTEGER: on SQLite the hour is then the row's own key, with no index
    // beside the table to keep.
    QString hourly = QStringLiteral("CREATE TABLE tlm_hourly (hour INTEGER PRIMARY KEY");
    for (int channel = 0; channel < kChannelCount; ++channel) {
        hourly += QStringLiteral(", %1 DOUBLE PRECISION, %2 DOUBLE PRECISION")
                      .arg(LowColumn(channel), HighColumn(channel));
    }
    hourly += QLatin1Char(')');
    return {
        QStringLiteral("CREATE TABLE logs (id SERIAL_KEY, station TEXT NOT NULL, "
                       "name TEXT NOT NULL, UNIQUE (station, name))"),
        QStringLiteral("CREATE TABLE blocks (id SERIAL_KEY, log_id BIGINT NOT NULL, "
                       "time_from BIGINT, time_to BIGINT, frame_count INTEGER NOT NULL, "
                       "frames BLOB_TYPE NOT NULL, digests BLOB_TYPE NOT NULL, "
                       "hearing_count INTEGER NOT NULL, hearings BLOB_TYPE NOT NULL)"),
        QStringLiteral("CREATE INDEX blocks_by_time ON blocks (time_to, time_from)"),
        QStringLiteral("CREATE INDEX blocks_by_log ON blocks (log_id)"),
        hourly,
    };
}

}  // namespace orvex

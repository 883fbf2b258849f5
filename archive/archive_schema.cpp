#include "archive/archive_schema.h"

#include "telemetry/channel_table.h"

namespace orvex {
namespace {

QString ValueColumns(int count, QString (*name)(int)) {
    QString columns;
    for (int index = 0; index < count; ++index) {
        columns += QStringLiteral(", ") + name(index) + QStringLiteral(" DOUBLE PRECISION");
    }
    return columns;
}

}  // namespace

QString TlmColumn(int channel) {
    return QStringLiteral("c%1").arg(channel, 2, 10, QLatin1Char('0'));
}

QString WodColumn(int slot) {
    return QStringLiteral("w%1").arg(slot);
}

QStringList ArchiveSchemaStatements() {
    return {
        QStringLiteral("CREATE TABLE logs (id SERIAL_KEY, station TEXT NOT NULL, "
                       "name TEXT NOT NULL, UNIQUE (station, name))"),
        QStringLiteral("CREATE TABLE frames (id SERIAL_KEY, digest BLOB_TYPE NOT NULL UNIQUE, "
                       "bytes BLOB_TYPE NOT NULL, type INTEGER NOT NULL, time BIGINT, "
                       "time_exact INTEGER NOT NULL, first_log BIGINT NOT NULL, "
                       "first_offset BIGINT NOT NULL)"),
        QStringLiteral("CREATE INDEX frames_by_time ON frames (time)"),
        QStringLiteral("CREATE TABLE receptions (log_id BIGINT NOT NULL, "
                       "byte_offset BIGINT NOT NULL, frame_id BIGINT NOT NULL, heard_at BIGINT, "
                       "PRIMARY KEY (log_id, byte_offset)) KEYED_ONLY"),
        QStringLiteral("CREATE TABLE tlm (frame_id ROW_KEY, time BIGINT NOT NULL, "
                       "software_version INTEGER NOT NULL") +
            ValueColumns(kChannelCount, TlmColumn) + QLatin1Char(')'),
        QStringLiteral("CREATE INDEX tlm_by_time ON tlm (time)"),
        QStringLiteral("CREATE TABLE wod (frame_id BIGINT NOT NULL, sample INTEGER NOT NULL, "
                       "time BIGINT NOT NULL") +
            ValueColumns(kWodSlotCount, WodColumn) +
            QStringLiteral(", PRIMARY KEY (frame_id, sample)) KEYED_ONLY"),
        QStringLiteral("CREATE INDEX wod_by_time ON wod (time)"),
        QStringLiteral("CREATE TABLE status (frame_id ROW_KEY, type INTEGER NOT NULL, "
                       "fields TEXT NOT NULL)"),
    };
}

}  // namespace orvex

#include "archive/archive_schema.h"

#include <QSqlQuery>
#include <QVariant>

#include "archive/archive_columns.h"
#include "archive/archive_database.h"
#include "archive/archive_views.h"
#include "frames/frame_type.h"
#include "telemetry/channel_table.h"
#include "text/utf8.h"

namespace orvex {
namespace {

QString HourlyTable() {
    QString table = QStringLiteral("CREATE TABLE telemetry_hourly (hour_utc TIME_TYPE PRIMARY KEY");
    for (int channel = 0; channel < kChannelCount; ++channel) {
        table += QStringLiteral(", %1 DOUBLE PRECISION, %2 DOUBLE PRECISION")
                     .arg(LowColumn(channel), HighColumn(channel));
    }
    return table + QLatin1Char(')');
}

QString Utf8(const std::string& latin1) {
    return QString::fromStdString(Latin1ToUtf8(latin1));
}

QString FormName(ValueForm::Kind kind) {
    switch (kind) {
        case ValueForm::Kind::Fixed:
            return QStringLiteral("fixed");
        case ValueForm::Kind::Eclipse:
            return QStringLiteral("eclipse");
        case ValueForm::Kind::Whole:
            return QStringLiteral("whole");
    }
    return {};
}

bool FillFrameTypes(ArchiveDatabase& database) {
    QSqlQuery insert(database.Connection());
    if (!database.Prepare(insert,
                          QStringLiteral("INSERT INTO frame_types (type, name) VALUES (?, ?)"))) {
        return false;
    }
    for (int type = 1; FindFrameType(static_cast<std::uint8_t>(type)) != nullptr; ++type) {
        insert.bindValue(0, type);
        insert.bindValue(1,
                         QString::fromLatin1(FindFrameType(static_cast<std::uint8_t>(type))->name));
        if (!database.Run(insert)) {
            return false;
        }
    }
    return true;
}

bool FillChannels(ArchiveDatabase& database) {
    QSqlQuery insert(database.Connection());
    if (!database.Prepare(insert,
                          QStringLiteral("INSERT INTO channels (column_name, channel, name, "
                                         "unit, value_form, decimals) "
                                         "VALUES (?, ?, ?, ?, ?, ?)"))) {
        return false;
    }
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const Channel& described = TelemetryChannels()[static_cast<std::size_t>(channel)];
        const bool fixed = described.form.kind == ValueForm::Kind::Fixed;
        insert.bindValue(0, QString::fromLatin1(ChannelColumn(channel)));
        insert.bindValue(1, channel);
        insert.bindValue(2, Utf8(described.name).trimmed());
        insert.bindValue(3, Utf8(described.unit));
        insert.bindValue(4, FormName(described.form.kind));
        insert.bindValue(
            5, fixed ? QVariant(described.form.decimals) : QVariant(QMetaType::fromType<int>()));
        if (!database.Run(insert)) {
            return false;
        }
    }
    return true;
}

bool FillByteValues(ArchiveDatabase& database) {
    QByteArray all(256, '\0');
    for (int value = 0; value < all.size(); ++value) {
        all[value] = static_cast<char>(value);
    }
    QSqlQuery insert(database.Connection());
    if (!database.Prepare(insert,
                          QStringLiteral("INSERT INTO byte_values (all_values) VALUES (?)"))) {
        return false;
    }
    insert.bindValue(0, all);
    return database.Run(insert);
}

}  // namespace

QString LowColumn(int channel) {
    return QString::fromLatin1(ChannelColumn(channel)) + QStringLiteral("_min");
}

QString HighColumn(int channel) {
    return QString::fromLatin1(ChannelColumn(channel)) + QStringLiteral("_max");
}

// Columns in order of their alignment on PostgreSQL, the 8-byte ones first,
// so that no padding lies between them: a frame's row is 8 bytes shorter.
// A frame's first hearing lies in its row (heard_utc only for a stream's
// frames); reception_store holds the others.
QStringList FrameTableStatements() {
    return {
        QStringLiteral("CREATE TABLE frame_store (id ID_KEY, time_utc TIME_TYPE, "
                       "first_offset BIGINT NOT NULL, first_heard_utc TIME_TYPE, "
                       "first_log_id INTEGER NOT NULL, bytes_check INTEGER NOT NULL, "
                       "type SMALLINT NOT NULL, own_time BOOLEAN NOT NULL, "
                       "bytes BLOB_TYPE NOT NULL)"),
        QStringLiteral("CREATE INDEX frame_store_by_time ON frame_store TIME_INDEX(time_utc)"),
        QStringLiteral("CREATE TABLE reception_store (log_id BIGINT NOT NULL, "
                       "byte_offset BIGINT NOT NULL, frame_id BIGINT NOT NULL, "
                       "heard_utc TIME_TYPE, PRIMARY KEY (log_id, byte_offset, frame_id)) "
                       "KEYED_ONLY"),
    };
}

QStringList ArchiveTableStatements() {
    QStringList statements = {
        QStringLiteral("CREATE TABLE frame_types (type INTEGER PRIMARY KEY, name TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE channels (column_name TEXT PRIMARY KEY, "
                       "channel INTEGER NOT NULL, name TEXT NOT NULL, unit TEXT NOT NULL, "
                       "value_form TEXT NOT NULL, decimals INTEGER)"),
        QStringLiteral("CREATE TABLE logs (id ID_KEY, station TEXT NOT NULL, path TEXT NOT NULL, "
                       "first_frame_id BIGINT, UNIQUE (station, path, first_frame_id))"),
        QStringLiteral("CREATE TABLE wod_samples (time_utc TIME_TYPE NOT NULL, "
                       "slots BLOB_TYPE NOT NULL, PRIMARY KEY (time_utc, slots)) KEYED_ONLY"),
        QStringLiteral("CREATE TABLE frame_texts (frame_id ID_KEY, text TEXT NOT NULL)"),
        HourlyTable(),
        QStringLiteral("CREATE TABLE byte_values (all_values BLOB_TYPE NOT NULL)"),
    };
    return statements + FrameTableStatements();
}

bool MakeTables(ArchiveDatabase& database, const QStringList& statements) {
    for (const QString& statement : statements) {
        if (!database.Exec(database.Dialect().Words(statement))) {
            return false;
        }
    }
    return true;
}

bool MakeViews(ArchiveDatabase& database) {
    for (const QString& statement : ArchiveViewStatements(database.Dialect())) {
        if (!database.Exec(statement)) {
            return false;
        }
    }
    return true;
}

bool MakeArchiveSchema(ArchiveDatabase& database) {
    return MakeTables(database, ArchiveTableStatements()) && MakeViews(database) &&
           FillFrameTypes(database) && FillChannels(database) && FillByteValues(database);
}

}  // namespace orvex

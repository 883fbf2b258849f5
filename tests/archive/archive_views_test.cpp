// The archive's views read with plain SQL: every channel calibrated in SQL
// to the very double the report's calibration gives, the WOD channels
// alike, the status frames' fields as the status export names and values
// them, and the channels table naming each column as the window does.
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "archive/archive_columns.h"
#include "archive/archive_views.h"
#include "frames/frame_layout.h"
#include "outputs/data/status_fields.h"
#include "telemetry/calibration.h"
#include "tests/archive/archive_fixture.h"
#include "tests/support/log_builder.h"

namespace orvex::test {
namespace {

constexpr std::uint32_t kNoon = 1772366400;  // 2026-03-01 12:00:00 UTC

using ArchiveViewsTest = ArchiveTest;

// Every row of a query, each as its values by column name.
std::vector<QSqlRecord> Records(ArchiveDatabase& database, const QString& sql) {
    QSqlQuery query(database.Connection());
    EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
    std::vector<QSqlRecord> rows;
    while (query.next()) {
        rows.push_back(query.record());
    }
    return rows;
}

// SQL's arithmetic is the report's: one rounding per operation, in the same
// order, from literals read back as the same doubles.
TEST_P(ArchiveViewsTest, EveryChannelIsTheDoubleTheCalibrationGives) {
    std::string log;
    for (int raw = 0; raw < 256; ++raw) {
        const auto byte = static_cast<std::uint8_t>(raw);
        log += KissFrame(2, TlmBody(kNoon + raw, byte, byte));
    }
    Archive(log);

    const std::vector<QSqlRecord> rows =
        Records(*database, QStringLiteral("SELECT * FROM telemetry ORDER BY time_utc"));
    ASSERT_EQ(rows.size(), 256u);
    for (int raw = 0; raw < 256; ++raw) {
        const QSqlRecord& row = rows[static_cast<std::size_t>(raw)];
        EXPECT_EQ(row.value(QStringLiteral("unix_time")).toLongLong(), kNoon + raw);
        EXPECT_EQ(row.value(QStringLiteral("software_version")).toInt(), raw);
        for (int channel = 0; channel < kChannelCount; ++channel) {
            const QString column = QString::fromLatin1(ChannelColumn(channel));
            ASSERT_EQ(row.value(column).toDouble(),
                      Calibrate(channel, static_cast<std::uint8_t>(raw)))
                << column.toStdString() << " at " << raw;
        }
    }
}

TEST_P(ArchiveViewsTest, EachDistinctWodSampleIsARowOfCalibratedChannels) {
    std::string log;
    for (int raw = 0; raw < 256; raw += 3) {
        const auto sample = [raw](int k) {
            WodSampleBytes bytes{kNoon + static_cast<std::uint32_t>(raw + k), 0, {}};
            bytes.raw.fill(static_cast<std::uint8_t>(raw + k));
            return bytes;
        };
        log += KissFrame(8, WodBody(sample(0), sample(1), sample(2)));
    }
    Archive(log + log.substr(0, 200));  // the first frames again: their samples once

    const std::vector<QSqlRecord> rows =
        Records(*database, QStringLiteral("SELECT * FROM wod ORDER BY time_utc"));
    ASSERT_EQ(rows.size(), 258u);
    for (std::size_t at = 0; at < 256; ++at) {
        const auto raw = static_cast<std::uint8_t>(at);
        for (int slot = 0; slot < kWodSlotCount; ++slot) {
            const int channel =
                ChannelIndexOfNumber(WodChannels()[static_cast<std::size_t>(slot) + 1]);
            EXPECT_EQ(rows[at].value(QString::fromLatin1(ChannelColumn(channel))).toDouble(),
                      Calibrate(channel, raw))
                << slot << " at " << at;
        }
    }
}

// The fields of a status frame through its view and through the status
// export's own reading of the frame.
void ExpectFieldsOf(ArchiveDatabase& database, const char* view, const Frame& frame,
                    const StatusFields& fields) {
    const std::vector<QSqlRecord> rows =
        Records(database, QStringLiteral("SELECT * FROM %1").arg(QLatin1String(view)));
    ASSERT_EQ(rows.size(), 1u) << view;
    const int type = frame[layout::kType];
    const QStringList columns = StatusViewColumns(type);
    ASSERT_EQ(columns.size(), static_cast<qsizetype>(fields.All().size()));
    for (std::size_t at = 0; at < fields.All().size(); ++at) {
        const StatusField& field = fields.All()[at];
        const QString& column = columns[static_cast<qsizetype>(at)];
        EXPECT_EQ(column.toStdString(), SqlName(field.name));
        const QVariant value = rows[0].value(column);
        if (field.IsText()) {
            EXPECT_EQ(value.toString().toStdString(), field.text) << column.toStdString();
        } else {
            EXPECT_EQ(value.toLongLong(), field.number) << column.toStdString();
        }
    }
}

Frame FrameOf(const std::string& kissFrame) {
    Frame frame;
    const std::string bytes = "\xC0" + kissFrame.substr(1, kissFrame.size() - 2);
    std::copy(bytes.begin(), bytes.end(), frame.bytes.begin());
    frame.length = static_cast<std::uint16_t>(bytes.size());
    return frame;
}

TEST_P(ArchiveViewsTest, StatusFieldsAreTheStatusExportsNamedAsSql) {
    std::string body;
    for (int at = 7; at < 100; ++at) {
        body.push_back(static_cast<char>(at * 37 % 191));  // below FEND: nothing escaped
    }
    const std::string hws = KissFrame(4, LittleEndian32(kNoon) + body.substr(4, 12));
    const std::string sws = KissFrame(5, body.substr(0, layout::sws::kLength - 7));
    const std::string topr = KissFrame(13, body.substr(0, layout::topr::kLength - 7));
    Archive(hws + sws + topr);

    const Frame hwsFrame = FrameOf(hws);
    const Frame swsFrame = FrameOf(sws);
    const Frame toprFrame = FrameOf(topr);
    ExpectFieldsOf(*database, "hws", hwsFrame, StatusFields(HwsFrame(hwsFrame)));
    ExpectFieldsOf(*database, "sws", swsFrame, StatusFields(SwsFrame(swsFrame)));
    ExpectFieldsOf(*database, "topr", toprFrame, StatusFields(ToprFrame(toprFrame)));
}

TEST_P(ArchiveViewsTest, TheChannelsTableNamesEachColumnAsTheWindowDoes) {
    const std::vector<QSqlRecord> rows =
        Records(*database, QStringLiteral("SELECT * FROM channels ORDER BY channel"));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kChannelCount));
    EXPECT_EQ(rows[0].value(QStringLiteral("column_name")).toString(), "battery_0");
    EXPECT_EQ(rows[0].value(QStringLiteral("name")).toString(), "Battery 0");
    EXPECT_EQ(rows[0].value(QStringLiteral("unit")).toString(), "V");
    EXPECT_EQ(rows[0].value(QStringLiteral("value_form")).toString(), "fixed");
    EXPECT_EQ(rows[0].value(QStringLiteral("decimals")).toInt(), 3);
    EXPECT_EQ(rows[12].value(QStringLiteral("unit")).toString(), QStringLiteral("\u00B0C"));
    EXPECT_EQ(rows[35].value(QStringLiteral("value_form")).toString(), "eclipse");
    EXPECT_TRUE(rows[35].value(QStringLiteral("decimals")).isNull());
    QStringList columns;
    for (const QSqlRecord& row : rows) {
        columns << row.value(QStringLiteral("column_name")).toString();
    }
    columns.removeDuplicates();
    EXPECT_EQ(columns.size(), kChannelCount);
}

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveViewsTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

}  // namespace
}  // namespace orvex::test

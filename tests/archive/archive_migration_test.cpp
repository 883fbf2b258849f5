// Archives of the earlier versions, made by those versions' own SQL, moved
// to this version's tables on first open, in one transaction: every log,
// frame and hearing kept, readable through the views, and known again when
// its log is archived once more.
#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <filesystem>
#include <vector>

#include "archive/archive_database.h"
#include "archive/archive_target.h"
#include "archive/archived_frames.h"
#include "kiss/log_source.h"
#include "load/log_load.h"
#include "telemetry/calibration.h"
#include "tests/archive/archive_engine.h"
#include "tests/support/log_builder.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {
namespace {

using Case = std::tuple<Engine, int>;

constexpr std::uint32_t kNoon = 1772366400;  // 2026-03-01 12:00:00 UTC

// The log the scripts' station heard: the frames they hold, at their offsets.
std::string PassLog() {
    WodSampleBytes a{kNoon + 30, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    WodSampleBytes b{kNoon + 90, 0, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20}};
    WodSampleBytes c{kNoon + 150, 0, {21, 22, 23, 24, 25, 26, 27, 28, 29, 30}};
    return KissFrame(2, TlmBody(kNoon, 100, 12)) + KissFrame(8, WodBody(a, b, c)) +
           KissFrame(6, "HELLO");
}

// The old program's words for what the engines write differently.
QString OldWords(QString statement, bool postgres) {
    statement.replace(QStringLiteral("BLOB_TYPE"), postgres ? "BYTEA" : "BLOB");
    statement.replace(QStringLiteral("TIME_TYPE"), postgres ? "TIMESTAMP(0)" : "TEXT");
    statement.replace(QStringLiteral("SERIAL_KEY"),
                      postgres ? "BIGSERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY");
    statement.replace(QStringLiteral("ROW_KEY"),
                      postgres ? "BIGINT PRIMARY KEY" : "INTEGER PRIMARY KEY");
    statement.replace(QStringLiteral("KEYED_ONLY"), postgres ? "" : "WITHOUT ROWID");
    static const QRegularExpression kHex(QStringLiteral("HEX\\('([0-9A-F]*)'\\)"));
    return statement.replace(
        kHex, postgres ? QStringLiteral("'\\x\\1'::bytea") : QStringLiteral("X'\\1'"));
}

class ArchiveMigrationTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        if (const std::string why = WhyNotOn(std::get<0>(GetParam())); !why.empty()) {
            GTEST_SKIP() << why;
        }
        location = NewArchive(std::get<0>(GetParam()), folder);
        RunOldScript();
    }

    // The version's script, run as its program ran its statements.
    void RunOldScript() {
        const bool postgres = std::get<0>(GetParam()) == Engine::Postgres;
        QFile file(QStringLiteral(ORVEX_ARCHIVE_TEST_DIR "/data/archive_version_%1.sql")
                       .arg(std::get<1>(GetParam())));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString script = QString::fromUtf8(file.readAll());
        script.replace(QStringLiteral("LOG_FOLDER"),
                       QString::fromStdString(std::filesystem::canonical(folder.Path()).string()));
        {
            QSqlDatabase old = QSqlDatabase::addDatabase(
                postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), "old");
            const ArchiveLocation where = ParseArchiveLocation(location);
            if (postgres) {
                old.setConnectOptions(QString::fromStdString(where.target));
            } else {
                old.setDatabaseName(QString::fromStdString(where.target));
            }
            ASSERT_TRUE(old.open()) << old.lastError().text().toStdString();
            for (const QString& line : script.split(QLatin1Char('\n'))) {
                if (line.isEmpty() || line.startsWith(QStringLiteral("--"))) {
                    continue;
                }
                QSqlQuery statement(old);
                ASSERT_TRUE(statement.exec(OldWords(line.chopped(1), postgres)))
                    << line.toStdString() << ": " << statement.lastError().text().toStdString();
            }
        }
        QSqlDatabase::removeDatabase("old");
    }

    QVariant Value(ArchiveDatabase& database, const QString& sql) {
        QSqlQuery query(database.Connection());
        EXPECT_TRUE(query.exec(sql) && query.next())
            << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return query.value(0);
    }

    TempFolder folder;
    std::string location;
};

TEST_P(ArchiveMigrationTest, EveryLogFrameAndHearingIsMovedToTheNewTables) {
    const int version = std::get<1>(GetParam());
    ArchiveDatabase database(ParseArchiveLocation(location));
    ASSERT_TRUE(database.Open()) << database.LastError();

    ASSERT_TRUE(database.Migrated());
    EXPECT_EQ(database.Migrated()->fromVersion, version);
    EXPECT_EQ(database.Migrated()->frames, 3u);
    EXPECT_EQ(database.Migrated()->receptions, 4u);
    EXPECT_EQ(Value(database, QStringLiteral("SELECT version FROM archive_schema")).toInt(),
              ArchiveDatabase::kSchemaVersion);
    EXPECT_EQ(Value(database, QStringLiteral("SELECT battery_0 FROM telemetry")).toDouble(),
              Calibrate(0, 100));
    EXPECT_EQ(Value(database, QStringLiteral("SELECT software_version FROM telemetry")).toInt(),
              12);
    EXPECT_EQ(Value(database, QStringLiteral("SELECT COUNT(*) FROM wod")).toInt(), 3);
    EXPECT_EQ(Value(database, QStringLiteral("SELECT text FROM texts")).toString(), "HELLO");
    EXPECT_EQ(Value(database, QStringLiteral("SELECT COUNT(*) FROM receptions "
                                             "WHERE station = 'north'"))
                  .toInt(),
              3);
    EXPECT_EQ(Value(database, QStringLiteral("SELECT frame_id FROM receptions "
                                             "WHERE station = 'south'"))
                  .toInt(),
              1);
    EXPECT_EQ(Value(database, QStringLiteral("SELECT COUNT(*) FROM telemetry_hourly")).toInt(), 1);
    // Version 3 did not keep when a stream's frame arrived.
    const QVariant heard =
        Value(database, QStringLiteral("SELECT %1 FROM receptions WHERE station = 'south'")
                            .arg(database.Dialect().Seconds(QStringLiteral("heard_utc"))));
    EXPECT_EQ(heard.isNull() ? 0 : heard.toLongLong(), version == 3 ? 0 : kNoon + 5);
}

TEST_P(ArchiveMigrationTest, ALogArchivedAgainAfterTheMoveAddsNothing) {
    ArchiveDatabase database(ParseArchiveLocation(location));
    ASSERT_TRUE(database.Open()) << database.LastError();
    const std::string log = PassLog();
    const std::string path = folder.Write("pass.kss", log);
    ArchiveTarget target{database, "north"};
    const LocaleFormat format(QLocale(QStringLiteral("en_GB")));
    const OutputOptions options{.writeReport = false, .writeWodExport = false, .dataExport = {}};
    const LoadContext context(format, options, &target);
    Frame frame;
    LogLoad load(path, context, frame);
    MemoryLogSource source(log);
    const LoadOutcome outcome = load.Run(source, FileIdentity{}, nullptr);

    ASSERT_TRUE(outcome.archived);
    EXPECT_TRUE(outcome.problems.empty()) << outcome.problems[0].Message();
    EXPECT_EQ(outcome.archived->newFrames, 0u);
    EXPECT_EQ(outcome.archived->newReceptions, 0u);
}

// Every frame moved reads back whole, and one whose bytes changed under
// version 4's digest is still found damaged.
TEST_P(ArchiveMigrationTest, MovedFramesReadBackWholeButOneDamagedBeforeTheMove) {
    const int version = std::get<1>(GetParam());
    if (version == 4) {
        ArchiveDatabase old(ParseArchiveLocation(location));
        ASSERT_TRUE(old.OpenAlongside());
        ASSERT_TRUE(
            old.Exec(QStringLiteral("UPDATE frame_store SET bytes = (SELECT bytes FROM "
                                    "frame_store WHERE id = 3) WHERE id = 2")));
    }
    ArchiveDatabase database(ParseArchiveLocation(location));
    ASSERT_TRUE(database.Open()) << database.LastError();
    std::vector<std::int64_t> damaged;
    std::size_t read = 0;
    std::string problem;
    ASSERT_TRUE(ReadArchivedFrames(
        database, ArchiveSpan{kNoon, kNoon + 3600},
        [&](const ArchivedFrame& frame) {
            ++read;
            if (!frame.intact) {
                damaged.push_back(frame.id);
            }
        },
        problem))
        << problem;

    EXPECT_EQ(read, 3u);
    EXPECT_EQ(damaged, version == 4 ? std::vector<std::int64_t>{2} : std::vector<std::int64_t>{});
}

// A failure part-way leaves the archive as it was, to be moved once mended.
TEST_P(ArchiveMigrationTest, AMoveThatFailsLeavesTheOldTablesAsTheyWere) {
    {
        QSqlDatabase old = QSqlDatabase::addDatabase(
            std::get<0>(GetParam()) == Engine::Postgres ? "QPSQL" : "QSQLITE", "damage");
        const ArchiveLocation where = ParseArchiveLocation(location);
        if (std::get<0>(GetParam()) == Engine::Postgres) {
            old.setConnectOptions(QString::fromStdString(where.target));
        } else {
            old.setDatabaseName(QString::fromStdString(where.target));
        }
        ASSERT_TRUE(old.open());
        // In the way of the new tables, or of version 4's set aside: the move
        // stops part-way.
        const QString obstacle = std::get<1>(GetParam()) == 4 ? "frame_store_v4" : "frame_store";
        ASSERT_TRUE(
            QSqlQuery(old).exec(QStringLiteral("CREATE TABLE %1 (x INTEGER)").arg(obstacle)));
    }
    QSqlDatabase::removeDatabase("damage");

    ArchiveDatabase database(ParseArchiveLocation(location));
    EXPECT_FALSE(database.Open());
    EXPECT_NE(database.LastError().find("frame_store"), std::string::npos) << database.LastError();
    ArchiveDatabase again(ParseArchiveLocation(location));
    again.OpenAlongside();
    EXPECT_EQ(Value(again, QStringLiteral("SELECT version FROM archive_schema")).toInt(),
              std::get<1>(GetParam()));
    const char* old = std::array{"frames", "blocks", "frame_store"}[std::get<1>(GetParam()) - 2];
    EXPECT_GT(
        Value(again, QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(old))).toInt(), 0);
}

// Version 3's packed values cut short, as a damaged archive's could be.
TEST_P(ArchiveMigrationTest, AVersion3BlockThatCannotBeReadIsNamed) {
    if (std::get<1>(GetParam()) != 3) {
        GTEST_SKIP() << "version 3 packed its blocks";
    }
    {
        ArchiveDatabase old(ParseArchiveLocation(location));
        ASSERT_TRUE(old.OpenAlongside());
        ASSERT_TRUE(old.Exec(QStringLiteral("UPDATE blocks SET hearings = frames WHERE id = 1")));
    }
    ArchiveDatabase database(ParseArchiveLocation(location));
    EXPECT_FALSE(database.Open());
    EXPECT_EQ(database.LastError(), "block 1 of the archive is damaged");
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return std::string(std::get<0>(info.param) == Engine::Sqlite ? "Sqlite" : "Postgres") +
           "Version" + std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(EnginesAndVersions, ArchiveMigrationTest,
                         ::testing::Combine(::testing::Values(Engine::Sqlite, Engine::Postgres),
                                            ::testing::Values(2, 3, 4)),
                         CaseName);

}  // namespace
}  // namespace orvex::test

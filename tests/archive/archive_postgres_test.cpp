// A group of stations sharing PostgreSQL: the database named as libpq names
// it, a station's role with the README's grants archiving and no more, and
// a role without a grant told the server's reason.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "archive/archive_database.h"
#include "tests/reliability/cli_runner.h"
#include "tests/support/log_builder.h"
#include "tests/support/postgres_cluster.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {
namespace {

constexpr std::uint32_t kNoon = 1772366400;  // 2026-03-01 12:00:00 UTC

std::string Pass(std::uint32_t start, int count) {
    std::string log;
    for (int k = 0; k < count; ++k) {
        const std::uint32_t time = start + 60 * static_cast<std::uint32_t>(k);
        log += KissFrame(2, TlmBody(time, static_cast<std::uint8_t>(time / 60)));
    }
    return log;
}

// The SQL block of the README that follows `<!-- sql: NAME -->`.
QString ReadmeSql(const char* name) {
    QFile readme(QStringLiteral(ORVEX_SOURCE_DIR "/README.md"));
    EXPECT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const QRegularExpression block(
        QStringLiteral("<!-- sql: %1 -->\\n```sql\\n(.*?)```").arg(QLatin1String(name)),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = block.match(text);
    EXPECT_TRUE(match.hasMatch()) << name;
    return match.captured(1);
}

class ArchivePostgresTest : public ::testing::Test {
protected:
    void SetUp() override {
        PostgresCluster& cluster = PostgresCluster::Shared();
        if (!cluster.Unavailable().empty()) {
            GTEST_SKIP() << "No PostgreSQL to test on: " << cluster.Unavailable();
        }
        archive = cluster.NewDatabase();
        const auto host = archive.find("host=") + 5;
        socketFolder = archive.substr(host, archive.find(' ', host) - host);
        database = archive.substr(archive.find("dbname=") + 7);
    }

    // Runs each statement of `sql` as `user` on `dbname`, one at a time, as
    // psql would: CREATE DATABASE takes no transaction around it.
    void RunSql(const QString& sql, const std::string& user, const std::string& dbname) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), "sql");
            db.setConnectOptions(QString::fromStdString("host=" + socketFolder + " user=" + user +
                                                        " dbname=" + dbname));
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
            for (const QString& statement : sql.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                if (statement.trimmed().isEmpty()) {
                    continue;
                }
                QSqlQuery query(db);
                ASSERT_TRUE(query.exec(statement))
                    << statement.toStdString() << ": " << query.lastError().text().toStdString();
            }
        }
        QSqlDatabase::removeDatabase("sql");
    }

    std::string Uri(const std::string& user, const std::string& dbname) const {
        return "postgresql://" + user + "@/" + dbname + "?host=" + socketFolder;
    }

    TempFolder folder;
    std::string archive;
    std::string socketFolder;
    std::string database;
};

TEST_F(ArchivePostgresTest, UrisNameTheDatabaseAsLibpqReadsThem) {
    const std::string log = folder.Write("pass.kss", Pass(kNoon, 5));
    const CliResult first =
        RunCli({"--archive", Uri("orvex", database), "--station", "north", "--no-report", log});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_NE(first.out.find("archive: 5 frames, 5 new, 5 new hearings"), std::string::npos);

    const CliResult second =
        RunCli({"--archive", "postgres:///" + database + "?host=" + socketFolder + "&user=orvex",
                "--station", "north", "--no-report", log});
    ASSERT_EQ(second.code, 0) << second.err;
    EXPECT_NE(second.out.find("archive: 5 frames, 0 new, 0 new hearings"), std::string::npos);
}

// A query by time right after an import finds the new frames through the
// time index and the planner's figures, not by reading the whole table.
TEST_F(ArchivePostgresTest, AnImportLeavesTheTimeIndexSummarizedAndTheFramesAnalyzed) {
    const CliResult imported = RunCli({"--archive", Uri("orvex", database), "--station", "north",
                                       "--no-report", folder.Write("pass.kss", Pass(kNoon, 3000))});
    ASSERT_EQ(imported.code, 0) << imported.err;

    // 3000 frames fill several of the index's ranges of 16 pages.
    ArchiveDatabase owner(ParseArchiveLocation(Uri("orvex", database)));
    ASSERT_TRUE(owner.Open()) << owner.LastError();
    QSqlQuery query(owner.Connection());
    ASSERT_TRUE(query.exec(
        QStringLiteral("SELECT brin_summarize_new_values('frame_store_by_time'), "
                       "(SELECT reltuples FROM pg_class WHERE relname = 'frame_store')")));
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toInt(), 0) << "ranges left unsummarized";
    EXPECT_EQ(query.value(1).toDouble(), 3000.0);
}

TEST_F(ArchivePostgresTest, AStationsRoleWithTheReadmesGrantsArchivesAndNoMore) {
    RunSql(ReadmeSql("keeper"), "orvex", "postgres");
    const CliResult made = RunCli({"--archive", Uri("orvex_keeper", "orvex")});
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(made.out, "postgresql://orvex_keeper@/orvex?host=" + socketFolder +
                            ": an archive of version 5, ready\n");
    RunSql(ReadmeSql("grants"), "orvex_keeper", "orvex");
    const QString station = ReadmeSql("station");
    RunSql(station, "orvex", "postgres");
    RunSql(QString(station).replace(QStringLiteral("g4abc"), QStringLiteral("m0xyz")), "orvex",
           "postgres");

    const CliResult north = RunCli({"--archive", Uri("g4abc", "orvex"), "--station", "G4ABC",
                                    "--no-report", folder.Write("north.kss", Pass(kNoon, 20))});
    ASSERT_EQ(north.code, 0) << north.err;
    const CliResult south =
        RunCli({"--archive", Uri("m0xyz", "orvex"), "--station", "M0XYZ", "--no-report",
                folder.Write("south.kss", Pass(kNoon + 600, 20))});
    ASSERT_EQ(south.code, 0) << south.err;
    EXPECT_NE(south.out.find("archive: 20 frames, 10 new, 20 new hearings"), std::string::npos);
    const CliResult read = RunCli({"--archive", Uri("m0xyz", "orvex"), "--export-range",
                                   "2026-03-01", "2026-03-01", "--data", folder.Path()});
    EXPECT_EQ(read.code, 0) << read.err;

    // Nothing a station does not need: it takes nothing away.
    ArchiveDatabase asStation(ParseArchiveLocation(Uri("g4abc", "orvex")));
    ASSERT_TRUE(asStation.Open()) << asStation.LastError();
    EXPECT_FALSE(asStation.Exec(QStringLiteral("DELETE FROM frame_store")));
    EXPECT_NE(asStation.LastError().find("permission denied for table frame_store"),
              std::string::npos);
    EXPECT_FALSE(asStation.Exec(QStringLiteral("UPDATE frame_store SET type = 1")));
}

TEST_F(ArchivePostgresTest, ARoleWithoutAGrantIsToldTheServersReason) {
    ASSERT_EQ(RunCli({"--archive", archive}).code, 0);
    RunSql(QStringLiteral("CREATE ROLE reader LOGIN; GRANT SELECT ON ALL TABLES IN SCHEMA public "
                          "TO reader; REVOKE SELECT ON archive_schema FROM reader"),
           "orvex", database);

    const CliResult result = RunCli({"--archive", Uri("reader", database), "--no-report",
                                     "--no-wod", folder.Write("pass.kss", Pass(kNoon, 2))});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.starts_with("orvex-decode: Cannot open the archive " +
                                       Uri("reader", database) + ": "))
        << result.err;
    EXPECT_NE(result.err.find("permission denied for table archive_schema"), std::string::npos)
        << result.err;
}

}  // namespace
}  // namespace orvex::test

// orvex-decode --archive: the summary of what each log added, a database
// that cannot be used, a locked one, another program's, and the data files
// of a span read back from the archive.
#include <gtest/gtest.h>

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <filesystem>

#include "archive/archive_database.h"
#include "archive/archive_target.h"
#include "cli/archive_runs.h"
#include "kiss/log_source.h"
#include "load/log_load.h"
#include "tests/reliability/cli_runner.h"
#include "tests/support/log_builder.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {
namespace {

constexpr std::uint32_t kNoon = 1772366400;  // 2026-03-01 12:00:00 UTC

std::string Wod(std::uint32_t time) {
    WodSampleBytes a{time, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    WodSampleBytes b{time + 60, 0, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20}};
    WodSampleBytes c{time + 120, 0, {21, 22, 23, 24, 25, 26, 27, 28, 29, 30}};
    return KissFrame(8, WodBody(a, b, c));
}

// Frames in time order, each decoded, none repeated.
std::string Pass() {
    return KissFrame(2, TlmBody(kNoon, 40)) + Wod(kNoon + 30) +
           KissFrame(4,
                     LittleEndian32(kNoon + 200) + Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})) +
           KissFrame(2, TlmBody(kNoon + 400, 41)) + KissFrame(2, TlmBody(kNoon + 86400, 42));
}

class ArchiveCliTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string log = folder.Write("pass.kss", Pass());
    std::string archive = folder / "archive.sqlite";
};

TEST_F(ArchiveCliTest, TheSummarySaysHowManyFramesWereNew) {
    const CliResult first =
        RunCli({"--archive", archive, "--station", "north", "--no-report", log});
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, log +
                             ": 5 frames read, 5 decoded, 3 TLM records, 3 WOD rows (3 distinct)\n"
                             "  archive: 5 frames, 5 new, 5 new hearings\n");

    const CliResult again = RunCli({"--archive=" + archive, "--no-report", "--json", log});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_NE(again.out.find("\"archive\":{\"frames\":5,\"new_frames\":0,\"new_receptions\":5}"),
              std::string::npos)
        << again.out;  // another station: the same frames, heard again
}

TEST_F(ArchiveCliTest, AnArchiveThatCannotBeOpenedIsToldAndTheLogIsStillDecoded) {
    const std::string nowhere = folder / "missing/archive.sqlite";
    const CliResult result = RunCli({"--archive", nowhere, log});

    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "orvex-decode: Cannot open the archive " + nowhere + ": the folder " +
                              folder / "missing" + " does not exist\n");
    EXPECT_EQ(result.out,
              log + ": 5 frames read, 5 decoded, 3 TLM records, 3 WOD rows (3 distinct)\n");
    EXPECT_TRUE(FileExists(folder / "pass.tlm"));
    EXPECT_TRUE(FileExists(folder / "pass.csv"));
}

TEST_F(ArchiveCliTest, ALockedArchiveIsToldAndTheLogIsStillDecoded) {
    ArchiveDatabase holder(ParseArchiveLocation(archive));
    ASSERT_TRUE(holder.Open());
    {
        ArchiveDatabase waiting(ParseArchiveLocation(archive));
        waiting.SetBusyTimeout(100);
        ASSERT_TRUE(waiting.Open());
        ASSERT_TRUE(holder.Begin());  // another process writing a long block
        ArchiveTarget target{waiting, "north"};
        // Through the load, as the command line's run of one log.
        const LocaleFormat format(QLocale(QStringLiteral("en_GB")));
        const OutputOptions options;
        const LoadContext context(format, options, &target);
        Frame frame;
        LogLoad load(log, context, frame);
        FileLogSource source;
        ASSERT_EQ(source.Open(log), 0);
        const LoadOutcome outcome = load.Run(source, source.Identity(), nullptr);

        EXPECT_EQ(outcome.framesDecoded, 5u);
        EXPECT_TRUE(outcome.reportPath);
        EXPECT_FALSE(outcome.archived);  // the log was never registered
        ASSERT_EQ(outcome.problems.size(), 1u);
        EXPECT_EQ(outcome.problems[0].Message(), "Cannot add the log to the archive " + archive +
                                                     ": database is locked "
                                                     "Unable to fetch row");
    }
    holder.Rollback();
}

TEST_F(ArchiveCliTest, ASpanIsExportedFromTheArchiveAsTheLogsOwnDataExportWroteIt) {
    const std::string logData = folder / "log-data";
    const std::string spanData = folder / "span-data";
    std::filesystem::create_directory(logData);
    std::filesystem::create_directory(spanData);
    ASSERT_EQ(RunCli({"--archive", archive, "--data", logData, log}).code, 0);

    // The last TLM frame, a day later, lies outside the span.
    const CliResult result = RunCli({"--archive", archive, "--export-range", "2026-03-01T12:00:00",
                                     "2026-03-01", "--data", spanData});

    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, archive + ": 4 frames written to " + spanData +
                              "/archive.telemetry.csv " + spanData + "/archive.wod.csv " +
                              spanData + "/archive.status.csv " + spanData +
                              "/archive.frames.csv\n");
    const std::string logTelemetry = ReadFile(logData + "/pass.telemetry.csv");
    const std::string lastRow =
        logTelemetry.substr(logTelemetry.rfind('\n', logTelemetry.size() - 2) + 1);
    EXPECT_EQ(ReadFile(spanData + "/archive.telemetry.csv") + lastRow, logTelemetry);
    EXPECT_EQ(ReadFile(spanData + "/archive.wod.csv"), ReadFile(logData + "/pass.wod.csv"));
    EXPECT_EQ(ReadFile(spanData + "/archive.status.csv"), ReadFile(logData + "/pass.status.csv"));
    // Each frame with the station and the log that first heard it.
    const std::string frames = ReadFile(spanData + "/archive.frames.csv");
    EXPECT_TRUE(frames.starts_with(
        "offset,log_bytes,length,command,frame_type,frame_type_name,outcome,cut_at_512,time_utc,"
        "unix_time,length_needed,opening_fend_shared_or_lost,station,log\n"))
        << frames;
    EXPECT_NE(
        frames.find(",2026-03-01T12:00:00Z,1772366400,133,false," + StationName(std::nullopt) +
                    "," + std::filesystem::canonical(log).string() + "\n"),
        std::string::npos)
        << frames;
}

// The export's files of a span, named as the command line names them.
std::vector<std::string> SpanFiles(const std::string& folder) {
    return {folder + "/archive.telemetry.csv", folder + "/archive.wod.csv",
            folder + "/archive.status.csv", folder + "/archive.frames.csv"};
}

TEST_F(ArchiveCliTest, ASpanEndsAtTheTimesGiven) {
    ASSERT_EQ(RunCli({"--archive", archive, "--no-report", "--no-wod", log}).code, 0);
    const CliResult result = RunCli({"--archive", archive, "--export-range", "2026-03-01T12:03:00",
                                     "2026-03-01T12:04:00Z", "--data", folder.Path()});

    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with(archive + ": 1 frames written to")) << result.out;
    EXPECT_NE(ReadFile(folder / "archive.status.csv").find("2026-03-01T12:03:20Z"),
              std::string::npos);
}

// Checked before the archive is opened, so that a mistyped range leaves
// every file, the archive's too, as it was.
TEST_F(ArchiveCliTest, ATimeThatIsNotOneOrARangeThatRunsBackwardsIsAUsageError) {
    const auto usage = [this](const std::string& from, const std::string& to) {
        const CliResult result =
            RunCli({"--archive", archive, "--export-range", from, to, "--data", folder.Path()});
        EXPECT_EQ(result.code, 2) << from << " " << to;
        return result.err.substr(0, result.err.find('\n'));
    };
    for (const std::string bad : {"2026-03-01xyz", "2026-03-01T25:00:00", "2026-02-30",
                                  "2026-03-01T12:03", "2026-03-01 12:03:00"}) {
        EXPECT_EQ(usage(bad, "2026-03-02"),
                  "orvex-decode: --export-range needs two UTC times such as 2009-05-01 or "
                  "2009-05-01T06:00:00, not " +
                      bad + " and 2026-03-02");
    }
    EXPECT_EQ(usage("2026-03-02", "2026-03-01T23:59:59"),
              "orvex-decode: --export-range needs FROM no later than TO, not 2026-03-02 and "
              "2026-03-01T23:59:59");
    EXPECT_FALSE(FileExists(archive));
    for (const std::string& file : SpanFiles(folder.Path())) {
        EXPECT_FALSE(FileExists(file)) << file;
    }
}

// A frame's bytes changed in the database: the export names it, leaves it
// out and fails; the other frames are exported.
TEST_F(ArchiveCliTest, ADamagedFrameIsNamedAndLeftOut) {
    ASSERT_EQ(RunCli({"--archive", archive, "--no-report", "--no-wod", log}).code, 0);
    {
        ArchiveDatabase database(ParseArchiveLocation(archive));
        ASSERT_TRUE(database.Open());
        QSqlQuery frame(database.Connection());
        ASSERT_TRUE(frame.exec(QStringLiteral("SELECT bytes FROM frame_store WHERE id = 1")));
        ASSERT_TRUE(frame.next());
        QByteArray bytes = frame.value(0).toByteArray();
        bytes.replace(7, 12, QByteArray(12, '\0'));
        frame.prepare(QStringLiteral("UPDATE frame_store SET bytes = ? WHERE id = 1"));
        frame.addBindValue(bytes);
        ASSERT_TRUE(frame.exec());
    }
    const CliResult result = RunCli({"--archive", archive, "--export-range", "2026-03-01",
                                     "2026-03-01", "--data", folder.Path()});

    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "orvex-decode: Frame 1 of 2026-03-01T12:00:00Z in the archive " +
                              archive +
                              " is damaged (its bytes no longer match their digest): left out\n");
    EXPECT_TRUE(result.out.starts_with(archive + ": 3 frames (1 damaged, left out) written to"))
        << result.out;
}

// Another program's SQLite file named by mistake: refused, byte for byte as
// it was, its journal mode too.
TEST_F(ArchiveCliTest, AnotherProgramsDatabaseIsRefusedUntouched) {
    for (const char* table : {"contacts", "logs"}) {
        const std::string other = folder / (std::string(table) + ".db");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
            db.setDatabaseName(QString::fromStdString(other));
            ASSERT_TRUE(db.open());
            QSqlQuery(db).exec(QStringLiteral("CREATE TABLE %1 (id INTEGER, name TEXT)")
                                   .arg(QLatin1String(table)));
            QSqlQuery(db).exec(
                QStringLiteral("INSERT INTO %1 VALUES (1, 'G4ABC')").arg(QLatin1String(table)));
        }
        QSqlDatabase::removeDatabase("other");
        const std::string before = ReadFile(other);

        const CliResult result = RunCli({"--archive", other, "--no-report", "--no-wod", log});
        EXPECT_EQ(result.code, 1);
        EXPECT_EQ(result.err, "orvex-decode: Cannot open the archive " + other +
                                  ": it holds tables of another program (" + table +
                                  ") and no archive; name another database\n");
        EXPECT_EQ(ReadFile(other), before) << table;
        EXPECT_FALSE(FileExists(other + "-wal")) << table;
    }
}

TEST_F(ArchiveCliTest, APasswordIsNeverShown) {
    for (const std::string& given : std::vector<std::string>{
             "postgresql:host=" + folder.Path() + " dbname=orvex password=hunter2 user=ann",
             "postgresql://ann:hunter2@/orvex?host=" + folder.Path(),
             "postgres:///orvex?host=" + folder.Path() + "&password=hunter2",
             "postgresql:host=x password='hunter2 dbname=orvex"}) {
        const CliResult result = RunCli({"--archive", given, "--no-report", "--no-wod", log});
        EXPECT_EQ(result.code, 1) << given;
        EXPECT_TRUE(result.err.starts_with("orvex-decode: Cannot open the archive postgresql:"))
            << result.err;
        EXPECT_EQ(result.err.find("hunter2"), std::string::npos) << result.err;
    }
}

TEST_F(ArchiveCliTest, TheArchiveOptionsAreCheckedTogether) {
    const auto usage = [](const std::vector<std::string>& args) {
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.code, 2);
        return result.err.substr(0, result.err.find('\n'));
    };
    EXPECT_EQ(usage({"--station", "north", log}), "orvex-decode: --station needs --archive");
    EXPECT_EQ(usage({"--archive", "--export-range", "2026-03-01", "2026-03-02", "--data", "d"}),
              "orvex-decode: --export-range needs --archive DB");
    EXPECT_EQ(usage({"--archive", archive, "--export-range", "2026-03-01", "2026-03-02"}),
              "orvex-decode: --export-range needs --data DIR");
    EXPECT_EQ(usage({"--archive", archive, "--export-range", "2026-03-01", "2026-03-02", "--data",
                     "d", log}),
              "orvex-decode: --export-range takes no log or stream");
    EXPECT_EQ(usage({"--archive", archive, "--export-range", "March", "2026-03-02", "--data",
                     folder.Path()}),
              "orvex-decode: --export-range needs two UTC times such as 2009-05-01 or "
              "2009-05-01T06:00:00, not March and 2026-03-02");
}

TEST_F(ArchiveCliTest, ALogAfterABareArchiveOptionIsALogNotTheArchive) {
    setenv("XDG_DATA_HOME", folder.Path().c_str(), 1);
    const CliResult result = RunCli({"--archive", log, "--no-report", "--no-wod"});
    unsetenv("XDG_DATA_HOME");

    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(FileExists(folder / "orvex/archive.sqlite"));
}

}  // namespace
}  // namespace orvex::test

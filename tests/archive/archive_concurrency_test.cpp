// Two stations adding overlapping logs to one PostgreSQL archive at the same
// time, as two orvex-decode processes: every frame is stored once, every
// hearing kept once.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSqlQuery>
#include <QVariant>

#include "archive/archive_database.h"
#include "tests/archive/archive_contents.h"
#include "tests/support/log_builder.h"
#include "tests/support/postgres_cluster.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {
namespace {

constexpr std::uint32_t kNoon = 1772366400;  // 2026-03-01 12:00:00 UTC

// `count` TLM frames, one a second from `start`: the same second gives the
// same frame in every log.
std::string Seconds(std::uint32_t start, std::uint32_t count) {
    std::string log;
    for (std::uint32_t time = start; time < start + count; ++time) {
        log += KissFrame(2, TlmBody(time, static_cast<std::uint8_t>(time)));
    }
    return log;
}

QProcess* StartDecode(const std::string& archive, const std::string& station,
                      const std::string& log) {
    auto* process = new QProcess;
    process->start(
        QStringLiteral(ORVEX_DECODE_PATH),
        {QStringLiteral("--archive"), QString::fromStdString(archive), QStringLiteral("--station"),
         QString::fromStdString(station), QStringLiteral("--no-report"), QStringLiteral("--no-wod"),
         QString::fromStdString(log)});
    return process;
}

TEST(ArchiveConcurrency, TwoProcessesArchivingOverlappingLogsStoreEachFrameOnce) {
    PostgresCluster& cluster = PostgresCluster::Shared();
    if (!cluster.Unavailable().empty()) {
        GTEST_SKIP() << "No PostgreSQL to test on: " << cluster.Unavailable();
    }
    const std::string archive = cluster.NewDatabase();
    TempFolder folder;
    // Three blocks each; 8,000 seconds heard by both, of 12,000 each.
    const std::string north = folder.Write("north.kss", Seconds(kNoon, 12000));
    const std::string south = folder.Write("south.kss", Seconds(kNoon + 4000, 12000));

    std::unique_ptr<QProcess> first(StartDecode(archive, "north", north));
    std::unique_ptr<QProcess> second(StartDecode(archive, "south", south));
    for (QProcess* process : {first.get(), second.get()}) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process->exitCode(), 0);
    }

    // Both again at once: every hearing is there already, the first ones in
    // their frames' rows.
    first.reset(StartDecode(archive, "north", north));
    second.reset(StartDecode(archive, "south", south));
    for (QProcess* process : {first.get(), second.get()}) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0);
    }

    ArchiveDatabase database(ParseArchiveLocation(archive));
    ASSERT_TRUE(database.Open()) << database.LastError();
    const ArchiveContents stored = ReadArchiveContents(database);
    EXPECT_EQ(stored.frames.size(), 16000u);
    EXPECT_EQ(stored.hearings.size(), 24000u);
    EXPECT_EQ(stored.FramesHeard(2), 8000u);
    QSqlQuery others(database.Connection());
    ASSERT_TRUE(others.exec(QStringLiteral("SELECT COUNT(*) FROM reception_store")) &&
                others.next());
    EXPECT_EQ(others.value(0).toInt(), 8000);
}

}  // namespace
}  // namespace orvex::test

// Logs into the archive: each frame once, every hearing kept, values as the
// calibrations give them, whole frames only after a stop, and a decode that
// completes when the archive cannot be written.
#include <QSqlQuery>

#include "archive/archive_writer.h"
#include "outputs/data/data_columns.h"
#include "telemetry/calibration.h"
#include "tests/archive/archive_fixture.h"
#include "tests/support/log_builder.h"

namespace orvex::test {
namespace {

constexpr std::uint32_t kNoon = 1772366400;  // 2026-03-01 12:00:00 UTC

std::string Tlm(std::uint32_t time, std::uint8_t everyChannel) {
    return KissFrame(2, TlmBody(time, everyChannel));
}

std::string Wod(std::uint32_t time) {
    WodSampleBytes a{time, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    WodSampleBytes b{time + 60, 0, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20}};
    WodSampleBytes c{time + 120, 0, {21, 22, 23, 24, 25, 26, 27, 28, 29, 30}};
    return KissFrame(8, WodBody(a, b, c));
}

std::string Hws(std::uint32_t time) {
    return KissFrame(4, LittleEndian32(time) + Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

// A pass of `count` TLM frames a minute apart from `start`; the same minute
// gives the same frame in every pass.
std::string Pass(std::uint32_t start, int count) {
    std::string log;
    for (int k = 0; k < count; ++k) {
        const std::uint32_t time = start + 60 * static_cast<std::uint32_t>(k);
        log += Tlm(time, static_cast<std::uint8_t>(time / 60));
    }
    return log;
}

class StopAfter : public LoadProgress {
public:
    explicit StopAfter(std::uint64_t frames) : frames_(frames) {}
    void AfterFrame(std::uint64_t frameCount) override { seen_ = frameCount; }
    void WhileReading() override {}
    bool StopRequested() const override { return seen_ >= frames_; }

private:
    std::uint64_t frames_;
    std::uint64_t seen_ = 0;
};

TEST_P(ArchiveTest, EveryKindOfFrameIsStoredWithItsValues) {
    const std::string log = Tlm(kNoon, 100) + Wod(kNoon + 10) + Hws(kNoon + 20) +
                            KissFrame(6, "HELLO") + KissFrame(14, "unknown type") +
                            Bytes({0xC0, 0x00, 0xC0});
    const LoadOutcome outcome = Archive(log);

    ASSERT_TRUE(outcome.archived);
    EXPECT_EQ(outcome.archived->frames, 4u);  // the undecoded two are not stored
    EXPECT_EQ(outcome.archived->newFrames, 4u);
    EXPECT_EQ(outcome.archived->newReceptions, 4u);
    EXPECT_TRUE(outcome.problems.empty());
    EXPECT_EQ(Rows("frames"), 4);
    EXPECT_EQ(Rows("tlm"), 1);
    EXPECT_EQ(Rows("wod"), 3);
    EXPECT_EQ(Rows("status"), 1);

    QSqlQuery tlm(database->Connection());
    ASSERT_TRUE(tlm.exec(QStringLiteral("SELECT time, c00, c23, c37 FROM tlm")) && tlm.next());
    EXPECT_EQ(tlm.value(0).toLongLong(), kNoon);
    EXPECT_EQ(tlm.value(1).toDouble(), Calibrate(0, 100));
    EXPECT_EQ(tlm.value(2).toDouble(), Calibrate(23, 100));
    EXPECT_EQ(tlm.value(3).toDouble(), Calibrate(37, 100));

    QSqlQuery wod(database->Connection());
    ASSERT_TRUE(wod.exec(QStringLiteral("SELECT sample, time, w9 FROM wod ORDER BY sample")));
    for (int sample = 0; sample < 3; ++sample) {
        ASSERT_TRUE(wod.next());
        EXPECT_EQ(wod.value(1).toLongLong(), kNoon + 10 + 60 * sample);
        EXPECT_EQ(wod.value(2).toDouble(),
                  CalibrationTable()[WodSlotChannelIndex(9)][10 + 10 * sample]);
    }
    // The message frame has no time of its own: it takes the HWS frame's.
    EXPECT_EQ(Number(QStringLiteral("SELECT time FROM frames WHERE type = 6")), kNoon + 20);
    EXPECT_EQ(Number(QStringLiteral("SELECT time_exact FROM frames WHERE type = 6")), 0);
    EXPECT_EQ(Number(QStringLiteral("SELECT COUNT(*) FROM status WHERE fields LIKE "
                                    "'%\"frame_type_name\":\"HWS\"%'")),
              1);
}

TEST_P(ArchiveTest, TheSameLogTwiceAddsNothing) {
    const std::string log = Pass(kNoon, 20) + Wod(kNoon + 5);
    const LoadOutcome first = Archive(log);
    ASSERT_TRUE(first.archived);
    EXPECT_EQ(first.archived->newFrames, 21u);

    const LoadOutcome again = Archive(log);
    ASSERT_TRUE(again.archived);
    EXPECT_EQ(again.archived->frames, 21u);
    EXPECT_EQ(again.archived->newFrames, 0u);
    EXPECT_EQ(again.archived->newReceptions, 0u);
    EXPECT_EQ(Rows("frames"), 21);
    EXPECT_EQ(Rows("receptions"), 21);
    EXPECT_EQ(Rows("tlm"), 20);
    EXPECT_EQ(Rows("wod"), 3);
    EXPECT_EQ(Rows("logs"), 1);
}

TEST_P(ArchiveTest, OverlappingLogsStoreEachFrameOnceWithTwoReceptions) {
    // Frames 10..19 are in both.
    const LoadOutcome north = Archive(Pass(kNoon, 20), "north.kss", "north");
    const LoadOutcome south = Archive(Pass(kNoon + 600, 20), "south.kss", "south");

    ASSERT_TRUE(north.archived && south.archived);
    EXPECT_EQ(north.archived->newFrames, 20u);
    EXPECT_EQ(south.archived->newFrames, 10u);
    EXPECT_EQ(south.archived->newReceptions, 20u);
    EXPECT_EQ(Rows("frames"), 30);
    EXPECT_EQ(Rows("tlm"), 30);
    EXPECT_EQ(Rows("receptions"), 40);
    EXPECT_EQ(Number(QStringLiteral("SELECT COUNT(*) FROM (SELECT frame_id FROM receptions "
                                    "GROUP BY frame_id HAVING COUNT(*) = 2) AS shared")),
              10);
    // Each hearing where its log held it.
    EXPECT_EQ(Number(QStringLiteral("SELECT MIN(r.byte_offset) FROM receptions r JOIN logs l ON "
                                    "l.id = r.log_id JOIN tlm t ON t.frame_id = r.frame_id WHERE "
                                    "l.station = 'south' AND t.time = %1")
                         .arg(kNoon + 600)),
              0);
}

TEST_P(ArchiveTest, AFrameHeardTwiceInOneLogIsOneFrameWithTwoReceptions) {
    const std::string frame = Tlm(kNoon, 7);
    const LoadOutcome outcome = Archive(frame + Tlm(kNoon + 60, 8) + frame);

    ASSERT_TRUE(outcome.archived);
    EXPECT_EQ(outcome.archived->newFrames, 2u);
    EXPECT_EQ(outcome.archived->newReceptions, 3u);
    EXPECT_EQ(Rows("tlm"), 2);
    EXPECT_EQ(Number(QStringLiteral("SELECT MAX(byte_offset) FROM receptions")),
              static_cast<std::int64_t>(frame.size() + Tlm(kNoon + 60, 8).size()));
}

TEST_P(ArchiveTest, AStopMidLoadLeavesWholeFramesOnly) {
    StopAfter stop(ArchiveWriter::kBlockFrames + 10);
    const LoadOutcome outcome = Archive(
        Pass(kNoon, static_cast<int>(2 * ArchiveWriter::kBlockFrames)), "pass.kss", "north", &stop);

    ASSERT_TRUE(outcome.stopped);
    ASSERT_TRUE(outcome.archived);
    EXPECT_EQ(outcome.archived->frames, ArchiveWriter::kBlockFrames + 10);
    EXPECT_EQ(Rows("frames"), static_cast<std::int64_t>(ArchiveWriter::kBlockFrames + 10));
    // Every frame stored has its values and its hearing, and nothing else is.
    EXPECT_EQ(Rows("tlm"), Rows("frames"));
    EXPECT_EQ(Rows("receptions"), Rows("frames"));
    EXPECT_EQ(Number(QStringLiteral("SELECT COUNT(*) FROM frames f LEFT JOIN tlm t ON t.frame_id "
                                    "= f.id WHERE t.frame_id IS NULL")),
              0);

    // The rest of the log is added when it is loaded again.
    const LoadOutcome rest =
        Archive(Pass(kNoon, static_cast<int>(2 * ArchiveWriter::kBlockFrames)));
    ASSERT_TRUE(rest.archived);
    EXPECT_EQ(rest.archived->newFrames, ArchiveWriter::kBlockFrames - 10);
}

TEST_P(ArchiveTest, AReopenedArchiveKeepsItsFramesAndSchema) {
    Archive(Pass(kNoon, 3));
    database.reset();
    database = OpenDatabase();
    EXPECT_EQ(Rows("frames"), 3);
    EXPECT_EQ(Number(QStringLiteral("SELECT version FROM archive_schema")),
              ArchiveDatabase::kSchemaVersion);
}

TEST_P(ArchiveTest, AnArchiveOfAnotherVersionIsRefused) {
    const auto problemAt = [this](int version) {
        EXPECT_TRUE(
            database->Exec(QStringLiteral("UPDATE archive_schema SET version = %1").arg(version)));
        ArchiveDatabase other(ParseArchiveLocation(location));
        return other.Open().value_or("opened");
    };
    EXPECT_EQ(problemAt(99),
              "its tables are of version 99, made by a later version of this program, which "
              "reads version 2");
    EXPECT_EQ(problemAt(1),
              "its tables are of version 1, which this program no longer writes; move it aside "
              "and archive the logs again");
}

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveTest, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         EngineName);

}  // namespace
}  // namespace orvex::test

// Logs into the archive: each frame once with its time, every hearing kept,
// each hour's extremes as the calibrations give them, whole frames only
// after a stop, a frame the data ended inside not at all, and a decode that
// completes when the archive cannot be written.
#include <QSqlQuery>

#include <filesystem>

#include "archive/archive_writer.h"
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

std::string HwsBody(std::uint32_t time) {
    return LittleEndian32(time) + Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
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

// The times of the frames that the hearings from `first` on name, in the
// order they were heard.
std::vector<std::uint32_t> TimesHeard(const ArchiveContents& stored, std::size_t first) {
    std::vector<std::uint32_t> times;
    for (std::size_t at = first; at < stored.hearings.size(); ++at) {
        times.push_back(stored.frames[stored.hearings[at].frame].time.value_or(0));
    }
    return times;
}

std::vector<std::uint32_t> PassTimes(std::uint32_t start, int count) {
    std::vector<std::uint32_t> times;
    times.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        times.push_back(start + 60 * static_cast<std::uint32_t>(k));
    }
    return times;
}

TEST_P(ArchiveTest, EveryDecodedFrameIsStoredWithItsTimeAndTheHoursExtremes) {
    const std::string log = Tlm(kNoon, 100) + Wod(kNoon + 10) + KissFrame(4, HwsBody(kNoon + 20)) +
                            KissFrame(6, "HELLO") + KissFrame(14, "unknown type") +
                            Bytes({0xC0, 0x00, 0xC0});
    const LoadOutcome outcome = Archive(log);

    ASSERT_TRUE(outcome.archived);
    EXPECT_EQ(outcome.archived->frames, 4u);  // the undecoded two are not stored
    EXPECT_EQ(outcome.archived->newFrames, 4u);
    EXPECT_EQ(outcome.archived->newReceptions, 4u);
    EXPECT_TRUE(outcome.problems.empty());
    const ArchiveContents stored = Contents();
    ASSERT_EQ(stored.frames.size(), 4u);
    EXPECT_EQ(stored.frames[0].bytes, "\xC0" + std::string(1, '\0') + std::string(4, '\0') +
                                          "\x02" + TlmBody(kNoon, 100));  // unescaped
    EXPECT_EQ(stored.frames[1].time, kNoon + 10);
    EXPECT_TRUE(stored.frames[1].ownTime);
    // The message frame has no time of its own: it takes the HWS frame's.
    EXPECT_TRUE(stored.frames[3].bytes.ends_with("HELLO"));
    EXPECT_EQ(stored.frames[3].time, kNoon + 20);
    EXPECT_FALSE(stored.frames[3].ownTime);
    EXPECT_EQ(Value(QStringLiteral("SELECT text FROM texts")).toString(), "HELLO");

    QSqlQuery hour(database->Connection());
    ASSERT_TRUE(hour.exec(QStringLiteral("SELECT %1, battery_0_min, battery_0_max, tepr_state_min "
                                         "FROM telemetry_hourly")
                              .arg(database->Dialect().Seconds(QStringLiteral("hour_utc")))));
    ASSERT_TRUE(hour.next());
    EXPECT_EQ(hour.value(0).toLongLong(), kNoon);
    EXPECT_EQ(hour.value(1).toDouble(), Calibrate(0, 100));
    EXPECT_EQ(hour.value(2).toDouble(), Calibrate(0, 100));
    EXPECT_EQ(hour.value(3).toDouble(), Calibrate(37, 100));
    EXPECT_FALSE(hour.next());
}

// A frame shorter than its type's layout: the fields it does not reach are
// no one's, in every view and in the hours' extremes, though the buffer
// still holds the frame before's bytes there; its bytes are kept as heard.
TEST_P(ArchiveTest, TheFieldsPastAShortFramesEndAreNull) {
    constexpr std::size_t kThroughChannel10 = 77 - 7;  // channel 10 lies at offset 76
    const std::string shortTlm = TlmBody(kNoon + 3600, 50).substr(0, kThroughChannel10);
    const std::string wod = WodBody({kNoon, 0, {1}}, {kNoon + 60, 0, {2}}, {kNoon + 120, 0, {3}});
    const std::string shortWod = wod.substr(0, std::size_t{2} * 15);          // two samples whole
    const std::string shortHws = HwsBody(kNoon + 3700).substr(0, 4 + 3 + 1);  // one register group
    Archive(Tlm(kNoon, 200) + KissFrame(2, shortTlm) + KissFrame(8, shortWod) +
            KissFrame(4, shortHws));

    const auto nulls = [this](const QString& view, const QString& where) {
        return Number(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 IS NULL").arg(view, where));
    };
    EXPECT_EQ(
        Value(QStringLiteral("SELECT bus_5v FROM telemetry WHERE unix_time = %1").arg(kNoon + 3600))
            .toDouble(),
        Calibrate(10, 50));
    EXPECT_EQ(nulls(QStringLiteral("telemetry"), QStringLiteral("bus_10v")), 1);
    EXPECT_EQ(nulls(QStringLiteral("telemetry"), QStringLiteral("tepr_state")), 1);
    EXPECT_EQ(nulls(QStringLiteral("telemetry"), QStringLiteral("software_version")), 1);
    EXPECT_EQ(Rows("wod"), 2);
    EXPECT_EQ(Number(QStringLiteral(
                  "SELECT COUNT(*) FROM hws WHERE rxaart = 1 + 2 * 256 + 3 * "
                  "65536 AND txc_exciter = 0 AND txaart IS NULL AND txc_5v_hpa IS NULL")),
              1);
    EXPECT_EQ(Number(QStringLiteral("SELECT COUNT(*) FROM telemetry_hourly WHERE "
                                    "bus_5v_min IS NOT NULL AND bus_10v_min IS NULL")),
              1);
    EXPECT_EQ(Contents().frames[1].bytes.size(), 7 + kThroughChannel10);
}

// A log archived while its last frame is being written, and again once
// whole: each frame once, and none made of the part written at first.
TEST_P(ArchiveTest, AFrameTheDataEndedInsideIsNotStored) {
    const std::string whole = Pass(kNoon, 3) + Wod(kNoon + 200);
    const std::string growing = whole.substr(0, whole.size() - 20);
    const LoadOutcome first = Archive(growing);
    ASSERT_TRUE(first.archived);
    EXPECT_EQ(first.archived->frames, 3u);
    EXPECT_EQ(Rows("wod"), 0);

    const LoadOutcome again = Archive(whole);
    ASSERT_TRUE(again.archived);
    EXPECT_EQ(again.archived->newFrames, 1u);
    EXPECT_EQ(again.archived->newReceptions, 1u);
    EXPECT_EQ(Rows("frames"), 4);
    EXPECT_EQ(Rows("receptions"), 4);
    EXPECT_EQ(Rows("wod"), 3);
    EXPECT_EQ(Rows("logs"), 1);
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
    const ArchiveContents stored = Contents();
    EXPECT_EQ(stored.frames.size(), 21u);
    EXPECT_EQ(stored.hearings.size(), 21u);
    EXPECT_EQ(Rows("logs"), 1);
}

// Another pass written under the log's name is a log of its own, and every
// hearing of it is kept, also where its frames lie at the first one's
// offsets; the same log by another name that leads to it is the same log.
TEST_P(ArchiveTest, ALogIsKnownByItsResolvedPathAndItsContent) {
    const std::string first = Pass(kNoon, 10);
    const std::string second = Pass(kNoon + 86400, 12);
    Archive(first, "pass.kss");
    const LoadOutcome replaced = Archive(second, "pass.kss");
    ASSERT_TRUE(replaced.archived);
    EXPECT_EQ(replaced.archived->newReceptions, 12u);
    EXPECT_EQ(Rows("logs"), 2);

    std::filesystem::create_symlink(folder / "pass.kss", folder / "link.kss");
    ArchiveTarget run{*database, "north"};
    const LoadOutcome linked = ArchiveAt(run, folder / "link.kss", second);
    ASSERT_TRUE(linked.archived);
    EXPECT_EQ(linked.archived->newReceptions, 0u);
    EXPECT_EQ(Rows("logs"), 2);
    EXPECT_EQ(Rows("receptions"), 22);
    EXPECT_EQ(Contents().hearings.back().log, std::filesystem::canonical(folder / "pass.kss"));
}

TEST_P(ArchiveTest, OverlappingLogsStoreEachFrameOnceWithTwoReceptions) {
    // Frames 10..19 are in both.
    const LoadOutcome north = Archive(Pass(kNoon, 20), "north.kss", "north");
    const LoadOutcome south = Archive(Pass(kNoon + 600, 20), "south.kss", "south");

    ASSERT_TRUE(north.archived && south.archived);
    EXPECT_EQ(north.archived->newFrames, 20u);
    EXPECT_EQ(south.archived->newFrames, 10u);
    EXPECT_EQ(south.archived->newReceptions, 20u);
    const ArchiveContents stored = Contents();
    EXPECT_EQ(stored.frames.size(), 30u);
    EXPECT_EQ(stored.hearings.size(), 40u);
    EXPECT_EQ(stored.FramesHeard(2), 10u);
    // Each hearing where its log held it: south heard north's eleventh frame first.
    const ArchiveContents::Heard& southFirst = stored.hearings[20];
    EXPECT_EQ(southFirst.station, "south");
    EXPECT_EQ(southFirst.offset, 0u);
    EXPECT_EQ(southFirst.frame, 10u);
}

// A frame's row holds its first hearing; the hearings table only the
// others, each once, however often their logs are archived.
TEST_P(ArchiveTest, AFramesFirstHearingIsStoredOnlyInItsRow) {
    const std::string north = Pass(kNoon, 20);
    const std::string south = Pass(kNoon + 600, 20);
    for (int run = 0; run < 2; ++run) {
        Archive(north, "north.kss", "north");
        Archive(south, "south.kss", "south");
    }

    EXPECT_EQ(Rows("frame_store"), 30);
    EXPECT_EQ(Rows("reception_store"), 10);
    EXPECT_EQ(Number(QStringLiteral("SELECT COUNT(*) FROM reception_store r JOIN frame_store f "
                                    "ON f.id = r.frame_id AND f.first_log_id = r.log_id")),
              0);
    EXPECT_EQ(Number(QStringLiteral("SELECT COUNT(*) FROM receptions WHERE station = 'south'")),
              20);
    EXPECT_EQ(Contents().hearings.size(), 40u);
}

TEST_P(ArchiveTest, AFrameHeardTwiceInOneLogIsOneFrameWithTwoReceptions) {
    const std::string frame = Tlm(kNoon, 7);
    const LoadOutcome outcome = Archive(frame + Tlm(kNoon + 60, 8) + frame);

    ASSERT_TRUE(outcome.archived);
    EXPECT_EQ(outcome.archived->newFrames, 2u);
    EXPECT_EQ(outcome.archived->newReceptions, 3u);
    const ArchiveContents stored = Contents();
    ASSERT_EQ(stored.hearings.size(), 3u);
    EXPECT_EQ(stored.hearings[2].offset, frame.size() + Tlm(kNoon + 60, 8).size());
    EXPECT_EQ(stored.hearings[2].frame, 0u);
}

TEST_P(ArchiveTest, AStopMidLoadLeavesWholeFramesOnly) {
    const auto kept = static_cast<std::uint32_t>(ArchiveWriter::kBlockFrames + 10);
    StopAfter stop(kept);
    const LoadOutcome outcome = Archive(
        Pass(kNoon, static_cast<int>(2 * ArchiveWriter::kBlockFrames)), "pass.kss", "north", &stop);

    ASSERT_TRUE(outcome.stopped);
    ASSERT_TRUE(outcome.archived);
    EXPECT_EQ(outcome.archived->frames, kept);
    // Every frame stored has its hearing and its hour, and nothing else is.
    const ArchiveContents stored = Contents();
    EXPECT_EQ(stored.frames.size(), kept);
    EXPECT_EQ(stored.hearings.size(), kept);
    EXPECT_EQ(Rows("telemetry_hourly"), (kept - 1) * 60 / 3600 + 1);

    // The rest of the log is added when it is loaded again.
    const LoadOutcome rest =
        Archive(Pass(kNoon, static_cast<int>(2 * ArchiveWriter::kBlockFrames)));
    ASSERT_TRUE(rest.archived);
    EXPECT_EQ(rest.archived->newFrames, ArchiveWriter::kBlockFrames - 10);
}

// What a program run knows of the archive is kept from one load to the next
// and brought up to date with what others stored meanwhile.
TEST_P(ArchiveTest, AProgramRunsLoadsFindWhatItAndOtherStationsStored) {
    ArchiveTarget run{*database, "north"};
    const LoadOutcome first = ArchiveIn(run, Pass(kNoon, 20), "first.kss");  // minutes 0..19
    const LoadOutcome south = Archive(Pass(kNoon + 1200, 20), "south.kss", "south");  // 20..39
    const LoadOutcome second = ArchiveIn(run, Pass(kNoon + 600, 40), "second.kss");   // 10..49

    ASSERT_TRUE(first.archived && south.archived && second.archived);
    EXPECT_EQ(second.archived->newFrames, 10u);
    EXPECT_EQ(second.archived->newReceptions, 40u);
    const ArchiveContents stored = Contents();
    EXPECT_EQ(stored.frames.size(), 50u);
    EXPECT_EQ(stored.FramesHeard(1), 20u);
    EXPECT_EQ(stored.FramesHeard(2), 30u);
    EXPECT_EQ(TimesHeard(stored, 40), PassTimes(kNoon + 600, 40));
}

// A block that was not stored leaves nothing behind in what the run knows:
// its frames are stored by the next load.
TEST_P(ArchiveTest, AfterABlockWasRefusedTheRunsNextLoadStoresItsFrames) {
    const auto blockFrames = static_cast<int>(ArchiveWriter::kBlockFrames);
    const std::string log = Pass(kNoon, 2 * blockFrames);
    ArchiveTarget run{*database, "north"};
    if (GetParam() == Engine::Sqlite) {
        ASSERT_TRUE(database->Exec(
            QStringLiteral("CREATE TRIGGER refuse_second BEFORE INSERT ON frame_store "
                           "WHEN (SELECT COUNT(*) FROM frame_store) >= %1 "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                .arg(blockFrames)));
    } else {
        ASSERT_TRUE(database->Exec(
            QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN "
                           "IF (SELECT COUNT(*) FROM frame_store) >= %1 THEN "
                           "RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql")
                .arg(blockFrames)));
        ASSERT_TRUE(database->Exec(
            QStringLiteral("CREATE TRIGGER refuse_second BEFORE INSERT ON frame_store "
                           "FOR EACH ROW EXECUTE FUNCTION refuse()")));
    }

    const LoadOutcome refused = ArchiveIn(run, log);
    ASSERT_TRUE(refused.archived);
    EXPECT_EQ(refused.archived->newFrames, ArchiveWriter::kBlockFrames);
    ASSERT_EQ(refused.problems.size(), 1u);
    EXPECT_NE(refused.problems[0].Message().find("refused"), std::string::npos);

    ASSERT_TRUE(database->Exec(GetParam() == Engine::Sqlite
                                   ? QStringLiteral("DROP TRIGGER refuse_second")
                                   : QStringLiteral("DROP TRIGGER refuse_second ON frame_store")));
    const LoadOutcome again = ArchiveIn(run, log);
    ASSERT_TRUE(again.archived);
    EXPECT_EQ(again.archived->newFrames, ArchiveWriter::kBlockFrames);
    EXPECT_EQ(again.archived->newReceptions, ArchiveWriter::kBlockFrames);
    EXPECT_TRUE(again.problems.empty());
    const ArchiveContents stored = Contents();
    EXPECT_EQ(stored.frames.size(), 2 * ArchiveWriter::kBlockFrames);
    EXPECT_EQ(TimesHeard(stored, 0), PassTimes(kNoon, 2 * blockFrames));
}

TEST_P(ArchiveTest, AReopenedArchiveKeepsItsFramesAndSchema) {
    Archive(Pass(kNoon, 3));
    database.reset();
    database = OpenDatabase();
    EXPECT_EQ(Contents().frames.size(), 3u);
    EXPECT_EQ(Number(QStringLiteral("SELECT version FROM archive_schema")),
              ArchiveDatabase::kSchemaVersion);
}

TEST_P(ArchiveTest, AnArchiveOfAVersionItCannotReadIsRefused) {
    const auto problemAt = [this](int version) {
        EXPECT_TRUE(
            database->Exec(QStringLiteral("UPDATE archive_schema SET version = %1").arg(version)));
        ArchiveDatabase other(ParseArchiveLocation(location));
        return other.Open() ? std::string("opened") : other.LastError();
    };
    EXPECT_EQ(problemAt(99),
              "its tables are of version 99, made by a later version of this program, which "
              "reads version 5");
    EXPECT_EQ(problemAt(1),
              "its tables are of version 1, which this program cannot read; move it aside and "
              "archive the logs again");
}

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveTest, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         EngineName);

}  // namespace
}  // namespace orvex::test

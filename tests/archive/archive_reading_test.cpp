// Reading the archive: a channel's history reduced to each bucket's lowest
// and highest value by the database, and a span's frames read back a page at
// a time, a damaged one told.
#include "archive/archived_extremes.h"
#include "archive/archived_frames.h"
#include "telemetry/calibration.h"
#include "tests/archive/archive_fixture.h"
#include "tests/support/log_builder.h"

namespace orvex::test {
namespace {

constexpr std::uint32_t kMidnight = 1772323200;  // 2026-03-01 00:00:00 UTC

std::string Tlm(std::uint32_t time, std::uint8_t everyChannel) {
    return KissFrame(2, TlmBody(time, everyChannel));
}

using ArchiveReadingTest = ArchiveTest;

TEST_P(ArchiveReadingTest, TheHistoryHoldsEachBucketsLowestAndHighestValue) {
    // Two hours of frames; the span's first hour holds raw 10, 200 and 50,
    // its second 90 and 30; an empty hour, then a frame past the span.
    Archive(Tlm(kMidnight + 0, 10) + Tlm(kMidnight + 1800, 200) + Tlm(kMidnight + 3599, 50) +
            Tlm(kMidnight + 3600, 90) + Tlm(kMidnight + 7199, 30) + Tlm(kMidnight + 4 * 3600, 255));
    constexpr int kChannel = 4;
    std::string problem;
    const auto buckets =
        ArchivedExtremes(*database, kChannel, {kMidnight, kMidnight + 3 * 3600 - 1}, 3, problem);

    ASSERT_TRUE(buckets) << problem;
    const auto value = [](std::uint8_t raw) { return Calibrate(kChannel, raw); };
    const std::vector<HistoryBucket> expected = {
        {kMidnight, std::min(value(10), value(200)), std::max(value(10), value(200))},
        {kMidnight + 3600, std::min(value(90), value(30)), std::max(value(90), value(30))},
    };
    EXPECT_EQ(*buckets, expected);
}

TEST_P(ArchiveReadingTest, TheHistoryIsKeptByTheHour) {
    // Buckets of 20 minutes: each hour's extremes fall in the bucket its
    // start falls in, the span's first hour in the first bucket.
    Archive(Tlm(kMidnight + 600, 1) + Tlm(kMidnight + 3000, 2) + Tlm(kMidnight + 3600 + 100, 3));
    std::string problem;
    const auto buckets =
        ArchivedExtremes(*database, 0, {kMidnight + 1200, kMidnight + 7199}, 5, problem);

    ASSERT_TRUE(buckets) << problem;
    const std::vector<HistoryBucket> expected = {
        {kMidnight + 1200, std::min(Calibrate(0, 1), Calibrate(0, 2)),
         std::max(Calibrate(0, 1), Calibrate(0, 2))},
        {kMidnight + 3600, Calibrate(0, 3), Calibrate(0, 3)},
    };
    EXPECT_EQ(*buckets, expected);
}

TEST_P(ArchiveReadingTest, TheTelemetrySpanIsTheHoursHeldCutToTheRange) {
    std::string problem;
    EXPECT_FALSE(ArchivedTelemetrySpan(*database, std::nullopt, problem));
    EXPECT_EQ(problem, "");
    Archive(Tlm(kMidnight + 100, 1) + Tlm(kMidnight + 5 * 3600 + 10, 2));

    const auto all = ArchivedTelemetrySpan(*database, std::nullopt, problem);
    ASSERT_TRUE(all) << problem;
    EXPECT_EQ(all->from, kMidnight);
    EXPECT_EQ(all->to, kMidnight + 6 * 3600 - 1);
    const auto cut =
        ArchivedTelemetrySpan(*database, ArchiveSpan{kMidnight + 50, kMidnight + 3600}, problem);
    ASSERT_TRUE(cut) << problem;
    EXPECT_EQ(cut->from, kMidnight + 50);
    EXPECT_EQ(cut->to, kMidnight + 3599);
    EXPECT_FALSE(
        ArchivedTelemetrySpan(*database, ArchiveSpan{kMidnight + 3600, kMidnight + 7200}, problem));
}

// Counts the frames decoded from the archive and keeps their times.
class TimeList : public FrameHandler {
public:
    void OnTlmFrame(const TlmFrame& frame) override { times.push_back(frame.Timestamp()); }
    void OnFrameRead(const Frame& /*frame*/, FrameOutcome outcome) override {
        outcomes.push_back(outcome);
    }
    std::vector<std::uint32_t> times;
    std::vector<FrameOutcome> outcomes;
};

std::vector<ArchivedFrame> Read(ArchiveDatabase& database, ArchiveSpan span) {
    std::vector<ArchivedFrame> frames;
    std::string problem;
    EXPECT_TRUE(ReadArchivedFrames(
        database, span, [&](const ArchivedFrame& frame) { frames.push_back(frame); }, problem))
        << problem;
    return frames;
}

TEST_P(ArchiveReadingTest, ASpansFramesAreReadOnceInTimeOrderWithTheirFirstHearing) {
    Archive(Tlm(kMidnight + 300, 3) + Tlm(kMidnight + 100, 1), "a.kss", "north");
    Archive(Tlm(kMidnight + 200, 2) + Tlm(kMidnight + 100, 1) + Tlm(kMidnight + 900, 9), "b.kss",
            "south");
    TimeList decoded;
    Frame frame;
    const std::vector<ArchivedFrame> frames = Read(*database, {kMidnight + 100, kMidnight + 300});
    for (const ArchivedFrame& stored : frames) {
        DecodeArchivedFrame(stored, frame, decoded);
    }

    EXPECT_EQ(decoded.times,
              (std::vector<std::uint32_t>{kMidnight + 100, kMidnight + 200, kMidnight + 300}));
    EXPECT_EQ(decoded.outcomes, std::vector<FrameOutcome>(3, FrameOutcome::Decoded));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].station, "north");
    EXPECT_EQ(frames[0].offset, Tlm(kMidnight + 300, 3).size());
    EXPECT_TRUE(frames[0].logPath.ends_with("/a.kss")) << frames[0].logPath;
    EXPECT_EQ(frames[1].station, "south");
}

// Pages end amid frames of one second: none is read twice or left out.
TEST_P(ArchiveReadingTest, ASpanLongerThanAPageIsReadWhole) {
    std::string log;
    for (int frame = 0; frame < 5000; ++frame) {
        log += KissFrame(6, "message " + std::to_string(frame));  // each takes the TLM's time
    }
    Archive(Tlm(kMidnight, 1) + log);
    const std::vector<ArchivedFrame> frames = Read(*database, {kMidnight, kMidnight});

    ASSERT_EQ(frames.size(), 5001u);
    for (std::size_t at = 1; at < frames.size(); ++at) {
        EXPECT_EQ(frames[at].id, frames[at - 1].id + 1);
    }
}

// A span of days is read a day at a time: the frames at each day's edges
// and after an empty day are read once, none outside the span.
TEST_P(ArchiveReadingTest, ASpanOfDaysIsReadWholeAcrossItsDaysEdges) {
    constexpr std::uint32_t kDay = 86400;
    const std::vector<std::uint32_t> inside = {kMidnight, kMidnight + kDay - 1, kMidnight + kDay,
                                               kMidnight + 3 * kDay};
    std::string log = Tlm(kMidnight - 1, 0);
    for (const std::uint32_t time : inside) {
        log += Tlm(time, static_cast<std::uint8_t>(time));
    }
    Archive(log + Tlm(kMidnight + 3 * kDay + 1, 0));
    std::vector<std::uint32_t> times;
    for (const ArchivedFrame& frame : Read(*database, {kMidnight, kMidnight + 3 * kDay})) {
        times.push_back(frame.time);
    }

    EXPECT_EQ(times, inside);
}

// 12 bytes overwritten inside a stored frame: what no database check sees,
// its digest does.
TEST_P(ArchiveReadingTest, AFrameWhoseBytesChangedSinceItWasStoredIsDamaged) {
    Archive(Tlm(kMidnight, 1) + Tlm(kMidnight + 60, 2));
    QByteArray bytes =
        Value(QStringLiteral("SELECT bytes FROM frame_store WHERE id = 2")).toByteArray();
    bytes.replace(7, 12, QByteArray(12, '\0'));
    QSqlQuery damage(database->Connection());
    damage.prepare(QStringLiteral("UPDATE frame_store SET bytes = ? WHERE id = 2"));
    damage.addBindValue(bytes);
    ASSERT_TRUE(damage.exec());

    const std::vector<ArchivedFrame> frames = Read(*database, {kMidnight, kMidnight + 60});
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_TRUE(frames[0].intact);
    EXPECT_FALSE(frames[1].intact);
}

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveReadingTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

}  // namespace
}  // namespace orvex::test

#include <algorithm>
#include <random>
#include <thread>

#include "telemetry/calibration.h"
#include "telemetry/column_extremes.h"
#include "telemetry/telemetry_history.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

constexpr std::uint32_t kAfternoon = 1796652185;  // 2026-12-07 14:03:05 UTC

TelemetryHistory::RawChannels Every(std::uint8_t raw) {
    TelemetryHistory::RawChannels channels;
    channels.fill(raw);
    return channels;
}

TEST(TelemetryHistory, KeepsEveryFramesTimeAndBytesInFortyFourBytesEach) {
    TelemetryHistory history;
    constexpr std::size_t kFrames = 100000;
    for (std::size_t i = 0; i < kFrames; ++i) {
        TelemetryHistory::RawChannels raw = Every(static_cast<std::uint8_t>(i));
        raw[37] = static_cast<std::uint8_t>(i >> 8);
        history.Add(kAfternoon + static_cast<std::uint32_t>(i), raw);
    }
    ASSERT_EQ(history.Count(), kFrames);
    EXPECT_EQ(history.Timestamp(kFrames - 1), kAfternoon + kFrames - 1);
    EXPECT_EQ(history.Raw(54321, 0), 54321 % 256);
    EXPECT_EQ(history.Raw(54321, 37), (54321 >> 8) % 256);
    EXPECT_LE(history.BytesHeld(), kFrames * 44);
    EXPECT_EQ(history.Extent(), (TimeSpan{kAfternoon, kAfternoon + kFrames - 1.0}));
    EXPECT_EQ(TelemetryHistory().Extent(), std::nullopt);
}

TEST(TelemetryHistory, CountsTheFramesBeyondItsCapacity) {
    TelemetryHistory history(2);
    for (int i = 0; i < 5; ++i) {
        history.Add(kAfternoon, Every(0));
    }
    EXPECT_EQ(history.Count(), 2u);
    EXPECT_EQ(history.Dropped(), 3u);
}

TEST(TelemetryHistory, ChartsOnlyTheChannelsAFrameHeldButKeepsTheBytesItShows) {
    TelemetryHistory history;
    history.Add(kAfternoon, Every(10));
    history.Add(kAfternoon + 60, Every(20), 5);  // a short frame: channels 5.. are stale
    history.Add(kAfternoon + 120, Every(30), 0);
    EXPECT_TRUE(history.Holds(1, 4));
    EXPECT_FALSE(history.Holds(1, 5));
    EXPECT_FALSE(history.Holds(2, 0));
    EXPECT_EQ(history.Raw(1, 37), 20);
    const TimeSpan span{kAfternoon, kAfternoon + 120};
    EXPECT_EQ(history.Series(4, span, 600),
              (std::vector<HistoryPoint>{{kAfternoon, Calibrate(4, 10)},
                                         {kAfternoon + 60.0, Calibrate(4, 20)}}));
    EXPECT_EQ(history.Series(5, span, 600),
              (std::vector<HistoryPoint>{{kAfternoon, Calibrate(5, 10)}}));
}

// One thread adds frames while another reads them, as the load and the
// window do: every frame below a count read is whole, and the series of a
// channel never holds a value that was not added.
TEST(TelemetryHistory, AReaderSeesWholeFramesWhileTheyAreAdded) {
    constexpr std::size_t kFrames = 3 * TelemetryHistory::kBlockFrames + 17;
    const auto rawOf = [](std::size_t index) { return static_cast<std::uint8_t>(index * 7); };
    TelemetryHistory history;
    std::thread writer([&] {
        for (std::size_t i = 0; i < kFrames; ++i) {
            history.Add(kAfternoon + static_cast<std::uint32_t>(i), Every(rawOf(i)),
                        static_cast<int>(i % 39));
        }
    });
    std::size_t seen = 0;
    while (seen < kFrames) {
        seen = history.Count();
        for (std::size_t i = seen > 64 ? seen - 64 : 0; i < seen; ++i) {
            ASSERT_EQ(history.Timestamp(i), kAfternoon + i);
            ASSERT_EQ(history.Raw(i, 37), rawOf(i));
            ASSERT_EQ(history.Holds(i, 0), i % 39 > 0);
        }
        const auto extent = history.Extent();
        if (seen > 0) {
            ASSERT_TRUE(extent);
            for (const HistoryPoint& point : history.Series(0, *extent, 100)) {
                const auto index = static_cast<std::size_t>(point.time - kAfternoon);
                ASSERT_EQ(point.value, Calibrate(0, rawOf(index)));
            }
        }
    }
    writer.join();
}

TEST(TelemetryHistory, SparseSeriesIsEverySampleCalibratedAndInTimeOrder) {
    TelemetryHistory history;
    history.Add(kAfternoon + 60, Every(10));
    history.Add(kAfternoon, Every(20));
    history.Add(kAfternoon + 30, Every(30));
    history.Add(kAfternoon + 9000, Every(40));  // outside the span asked for
    const TimeSpan span{kAfternoon, kAfternoon + 60};
    EXPECT_EQ(history.Series(28, span, 600),
              (std::vector<HistoryPoint>{{kAfternoon, Calibrate(28, 20)},
                                         {kAfternoon + 30.0, Calibrate(28, 30)},
                                         {kAfternoon + 60.0, Calibrate(28, 10)}}));
    EXPECT_TRUE(history.Series(38, span, 600).empty());
    EXPECT_TRUE(history.Series(0, span, 0).empty());
}

// Every column's lowest and highest sample, found the slow way.
std::vector<HistoryPoint> BruteForceExtremes(const std::vector<HistoryPoint>& samples,
                                             const TimeSpan& span, int columns) {
    std::vector<std::vector<HistoryPoint>> byColumn(static_cast<std::size_t>(columns));
    for (const HistoryPoint& sample : samples) {
        if (sample.time < span.first || sample.time > span.last) {
            continue;
        }
        const auto column = std::min<std::size_t>(
            static_cast<std::size_t>((sample.time - span.first) * columns / span.Length()),
            static_cast<std::size_t>(columns - 1));
        byColumn[column].push_back(sample);
    }
    const auto lower = [](const HistoryPoint& a, const HistoryPoint& b) {
        return a.value != b.value ? a.value < b.value : a.time < b.time;
    };
    const auto higher = [](const HistoryPoint& a, const HistoryPoint& b) {
        return a.value != b.value ? a.value > b.value : a.time < b.time;
    };
    std::vector<HistoryPoint> points;
    for (auto& column : byColumn) {
        if (column.empty()) {
            continue;
        }
        HistoryPoint low = *std::min_element(column.begin(), column.end(), lower);
        HistoryPoint high = *std::min_element(column.begin(), column.end(), higher);
        if (high.time < low.time) {
            std::swap(low, high);
        }
        points.push_back(low);
        if (!(high == low)) {
            points.push_back(high);
        }
    }
    return points;
}

TEST(TelemetryHistory, DenseSeriesIsEachColumnsLowestAndHighestSample) {
    TelemetryHistory history;
    std::vector<HistoryPoint> samples;
    std::mt19937 random(5);
    for (int i = 0; i < 50000; ++i) {
        // Times out of order and repeated, as a log with a clock reset has them.
        const auto time = static_cast<std::uint32_t>(kAfternoon + random() % 20000);
        const auto raw = static_cast<std::uint8_t>(random());
        history.Add(time, Every(raw));
        samples.push_back({static_cast<double>(time), Calibrate(13, raw)});
    }
    const TimeSpan span{kAfternoon + 1000.5, kAfternoon + 15000.0};
    const std::vector<HistoryPoint> points = history.Series(13, span, 700);
    EXPECT_LE(points.size(), 1400u);
    EXPECT_EQ(points, BruteForceExtremes(samples, span, 700));
}

TEST(ColumnExtremes, OfEqualValuesKeepsTheEarliestWhateverTheOrder) {
    ColumnExtremes extremes({0, 10}, 1);
    extremes.Add(7, 1.5);
    extremes.Add(3, 1.5);
    extremes.Add(5, 1.5);
    EXPECT_EQ(extremes.Points(), (std::vector<HistoryPoint>{{3, 1.5}}));
}

TEST(ColumnExtremes, ASpanOfOneInstantIsOneColumn) {
    ColumnExtremes extremes({100, 100}, 50);
    extremes.Add(100, 2);
    extremes.Add(100, -2);
    extremes.Add(101, 9);
    EXPECT_EQ(extremes.Points(), (std::vector<HistoryPoint>{{100, -2}, {100, 2}}));
}

class WindowHistory : public test::LoadFixture {};

TEST_F(WindowHistory, HoldsEveryTlmFrameOfTheLastLoad) {
    std::string log;
    for (int i = 0; i < 250; ++i) {
        log += test::KissFrame(2, test::TlmBody(kAfternoon + i * 60, static_cast<std::uint8_t>(i)));
    }
    const LoadOutcome outcome = Load(log);
    EXPECT_EQ(outcome.records, 250u);
    EXPECT_EQ(outcome.tlmFramesNotCharted, 0u);
    EXPECT_EQ(session.History().Count(), 250u);
    EXPECT_EQ(display.chart.size(), 250u);
    EXPECT_EQ(display.chart.back(), (HistoryPoint{kAfternoon + 249 * 60.0, Calibrate(0, 249)}));

    Load(test::KissFrame(2, test::TlmBody(kAfternoon, 1)));
    EXPECT_EQ(session.History().Count(), 1u);
    EXPECT_EQ(display.chart.size(), 1u);
}

}  // namespace
}  // namespace orvex

#include <QLocale>

#include "telemetry/calibration.h"
#include "telemetry/channel_table.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::TlmBody;

constexpr std::uint32_t kAfternoon = 1796652185;  // 2026-12-07 14:03:05 UTC

const char kAllZeroBlock[] =
    "[TLM]         Timestamp: 07/12/2026 14:03:05 UTC\r\n"
    "\r\n"
    "Battery 0        : 1.900  V\r\n"
    "Battery 4        : 1.900  V\r\n"
    "Battery 2        : 1.900  V\r\n"
    "Battery 6        : 1.900  V\r\n"
    "Battery 1        : 1.900  V\r\n"
    "Battery 5        : 1.900  V\r\n"
    "Battery 3        : 1.900  V\r\n"
    "Battery 7        : 1.900  V\r\n"
    "Solar Array      : 7.965  V\r\n"
    "8 Volts Bus      : 7.047  V\r\n"
    "5 Volts Bus      : 3.750  V\r\n"
    "10 Volts Bus     : 8.170  V\r\n"
    "Batt #5 Temp     : 145.080  \xB0"
    "C\r\n"
    "10 V Bus Cur     : -8.577  mA\r\n"
    "8 V Bus Cur      : -0.264  mA\r\n"
    "5 V Bus Cur      : -1.601  mA\r\n"
    "X- Array Cur     : 2.539  mA\r\n"
    "X+ Array Cur     : 3.878  mA\r\n"
    "Y- Array Cur     : 1.945  mA\r\n"
    "Y+ Array Cur     : 0.838  mA\r\n"
    "Z- Array Cur     : -5.171  mA\r\n"
    "Z+ Array Cur     : 3.719  mA\r\n"
    "External Cur     : -1.315  mA\r\n"
    "BCR Input Cur    : 9.861  mA\r\n"
    "BCR Output Cur   : 0.000  \r\n"
    "BCR Plate Temp   : 145.080  \xB0"
    "C\r\n"
    "BCR PC Board     : 145.080  \xB0"
    "C\r\n"
    "Batt #0 Temp     : 145.080  \xB0"
    "C\r\n"
    "TX A RF Output   : -21.996  mW\r\n"
    "TX B RF Output   : -111.610  mW\r\n"
    "TX THER A        : 140.692  \xB0"
    "C\r\n"
    "TX THER B        : 140.692  \xB0"
    "C\r\n"
    "TX THER C        : 140.692  \xB0"
    "C\r\n"
    "TX THER D        : 140.692  \xB0"
    "C\r\n"
    "EDAC Counter     : 0.000  \r\n"
    "Eclipse          : NO [0]\r\n"
    "Set Point        : 0\r\n"
    "TEPR State       : 0\r\n"
    "\r\n";

TEST(ChannelTable, NamesAreFifteenCharactersAndNumbersMapToIndices) {
    for (const Channel& channel : TelemetryChannels()) {
        EXPECT_EQ(channel.name.size(), 15u) << channel.name;
    }
    EXPECT_EQ(TelemetryChannels()[24].unit, "");
    EXPECT_EQ(TelemetryChannels()[23].unit, "mA");
    EXPECT_EQ(TelemetryChannels()[12].unit,
              "\xB0"
              "C");
    EXPECT_EQ(ChannelIndexOfNumber(49), 0);
    EXPECT_EQ(ChannelIndexOfNumber(123), 37);
    EXPECT_EQ(ChannelIndexOfNumber(71), 11);
}

class ChannelDescriptions : public test::LoadFixture {};

TEST_F(ChannelDescriptions, NamesAndUnitsShownAndTheFirstFourValuesEmptied) {
    display.channelValues.fill("old");
    session.ShowChannelDescriptions();
    EXPECT_EQ(display.channelNames[35], "Eclipse        ");
    EXPECT_EQ(display.channelUnits[24], "");
    EXPECT_EQ(display.channelUnits[0], "V");
    EXPECT_EQ(display.channelValues[3], "");
    EXPECT_EQ(display.channelValues[4], "old");
    EXPECT_EQ(WodChannels()[0], 18);
    EXPECT_EQ(WodChannels()[2], 123);
}

TEST(Calibration, LinearQuadraticAndRawFormulas) {
    EXPECT_DOUBLE_EQ(Calibrate(28, 100), 1303.576867);
    EXPECT_DOUBLE_EQ(Calibrate(0, 255), 0.837517);
    EXPECT_DOUBLE_EQ(Calibrate(12, 255), -89.52);
    EXPECT_EQ(Calibrate(10, 5), 3.8125);
    EXPECT_EQ(Calibrate(37, 7), 7.0);
}

class TlmFrames : public test::LoadFixture {};

TEST_F(TlmFrames, AllZeroChannelsGiveTheirOffsets) {
    Load(KissFrame(2, TlmBody(kAfternoon, 0, 12)));
    EXPECT_EQ(ReportBody(), kAllZeroBlock);
    EXPECT_EQ(display.softwareVersion, 12);
}

TEST_F(TlmFrames, ValuesOfRawHundredAndStatusLines) {
    std::array<std::uint8_t, 38> raw;
    raw.fill(100);
    raw[35] = 3;   // eclipse
    raw[36] = 12;  // set point
    Load(KissFrame(2, TlmBody(kAfternoon, raw)));
    const std::string body = ReportBody();
    EXPECT_NE(body.find("TX A RF Output   : 1303.577  mW\r\n"), std::string::npos);
    EXPECT_NE(body.find("Batt #5 Temp     : 53.080  \xB0"
                        "C\r\n"),
              std::string::npos);
    EXPECT_NE(body.find("EDAC Counter     : 100.000  \r\n"), std::string::npos);
    EXPECT_NE(body.find("Eclipse          : YES [3]\r\n"), std::string::npos);
    EXPECT_NE(body.find("Set Point        : 12\r\n"), std::string::npos);
    EXPECT_NE(body.find("TEPR State       : 100\r\n"), std::string::npos);
}

TEST_F(TlmFrames, OddBytesBetweenTheChannelsHaveNoInfluence) {
    std::string body = TlmBody(kAfternoon, 0);
    for (std::size_t offset = 57; offset <= 131; offset += 2) {
        body[offset - 7] = '\x5A';
    }
    Load(KissFrame(2, body));
    EXPECT_EQ(ReportBody(), kAllZeroBlock);
}

TEST_F(TlmFrames, RecordAndPanelWithTheReportOff) {
    options.writeReport = false;
    std::array<std::uint8_t, 38> raw{};
    raw[34] = 7;
    raw[35] = 255;
    Load(KissFrame(2, TlmBody(kAfternoon, raw, 3)));
    EXPECT_FALSE(test::FileExists(folder / "orbit.tlm"));
    ASSERT_EQ(session.History().Count(), 1u);
    EXPECT_EQ(session.History().Timestamp(0), kAfternoon);
    EXPECT_EQ(display.softwareVersion, 3);
    EXPECT_EQ(display.channelValues[0], "1.900");
    EXPECT_EQ(display.channelValues[13], "-8.577");
    EXPECT_EQ(display.channelValues[24], "0.000");
    EXPECT_EQ(display.channelValues[34], "7.000");
    EXPECT_EQ(display.channelValues[35], "YES [255]");
    EXPECT_EQ(display.channelValues[36], "0");
    EXPECT_EQ(display.recordTime, "07/12/2026 14:03:05");
}

TEST_F(TlmFrames, TimestampsBeyondSignedRangeKeepTheirDate) {
    Load(KissFrame(2, TlmBody(4294967295u, 0)));
    EXPECT_EQ(session.History().Timestamp(0), 4294967295u);
    EXPECT_EQ(display.recordTime, "07/02/2106 06:28:15");
    EXPECT_EQ(ReportBody().substr(0, 50), "[TLM]         Timestamp: 07/02/2106 06:28:15 UTC\r\n");
}

TEST_F(TlmFrames, EveryRecordBeyondTheFirstHundredIsReportedAndReachesThePanel) {
    std::string log;
    for (std::uint32_t i = 0; i < 103; ++i) {
        log += KissFrame(2, TlmBody(kAfternoon + i, static_cast<std::uint8_t>(i), i));
    }
    const LoadOutcome outcome = Load(log);
    EXPECT_EQ(outcome.framesDecoded, 103u);
    EXPECT_EQ(outcome.records, 103u);
    EXPECT_EQ(display.softwareVersion, 102);
    EXPECT_EQ(display.recordScrollMaximum, 103);
    display.MoveRecordScrollBar(103);
    EXPECT_EQ(display.recordPosition, "#103 / 103");
    EXPECT_EQ(display.recordTime, "07/12/2026 14:04:47");
    EXPECT_EQ(display.channelValues[24], "102.000");
    std::size_t blocks = 0;
    for (auto at = Report().find("[TLM]"); at != std::string::npos;
         at = Report().find("[TLM]", at + 1)) {
        ++blocks;
    }
    EXPECT_EQ(blocks, 103u);
    EXPECT_NE(Report().find("Timestamp: 07/12/2026 14:04:47 UTC"), std::string::npos);
}

TEST_F(TlmFrames, ShortFrameShowsTheBytesOfEarlierFramesButChartsNone) {
    options.writeReport = false;
    // The second frame ends before its channels: each is the first frame's.
    Load(KissFrame(2, TlmBody(kAfternoon, 100)) +
         KissFrame(2, test::LittleEndian32(kAfternoon + 60)));
    ASSERT_EQ(session.History().Count(), 2u);
    EXPECT_FALSE(session.History().Holds(1, 0));
    display.MoveRecordScrollBar(1);
    const auto first = display.channelValues;
    display.MoveRecordScrollBar(2);
    EXPECT_EQ(display.channelValues, first);
    EXPECT_FALSE(display.channelValues[28].empty());
    EXPECT_EQ(display.recordTime, "07/12/2026 14:04:05");
    session.ShowChannelChart({28});
    EXPECT_EQ(display.chart, (std::vector<HistoryPoint>{{kAfternoon, Calibrate(28, 100)}}));
}

class TlmFramesGerman : public test::LoadFixture {
protected:
    TlmFramesGerman() : LoadFixture("de_DE") {}
};

TEST_F(TlmFramesGerman, DecimalCommaAndGermanDate) {
    Load(KissFrame(2, TlmBody(kAfternoon, 100)));
    const std::string body = ReportBody();
    EXPECT_EQ(body.substr(0, 50), "[TLM]         Timestamp: 07.12.2026 14:03:05 UTC\r\n");
    EXPECT_NE(body.find("TX A RF Output   : 1303,577  mW\r\n"), std::string::npos);
    EXPECT_EQ(display.channelValues[28], "1303,577");
}

class RecordDisplay : public test::LoadFixture {};

TEST_F(RecordDisplay, ChartHoldsEveryRecordInTimeOrder) {
    options.writeReport = false;
    Load(KissFrame(2, TlmBody(kAfternoon, 10)) + KissFrame(2, TlmBody(kAfternoon - 3600, 20)) +
         KissFrame(2, TlmBody(kAfternoon - 3600, 30)));
    EXPECT_EQ(display.chartCaption, "Battery 0       [ V ] ");
    EXPECT_EQ(display.chartChannels, std::vector<int>{0});
    // Two records of one second: the lower value first, as a line draws them.
    EXPECT_EQ(display.chart, (std::vector<HistoryPoint>{{kAfternoon - 3600.0, Calibrate(0, 30)},
                                                        {kAfternoon - 3600.0, Calibrate(0, 20)},
                                                        {kAfternoon, Calibrate(0, 10)}}));

    session.ShowChannelChart({24});
    EXPECT_EQ(display.chartCaption, "BCR Output Cur  [  ] ");
    EXPECT_EQ(display.chart.front().value, 20.0);
}

TEST_F(RecordDisplay, SeveralChannelsShareTheCaption) {
    Load(KissFrame(2, TlmBody(kAfternoon, 10)));
    session.ShowChannelChart({0, 28, 24});
    EXPECT_EQ(display.chartCaption, "Battery 0 [ V ], TX A RF Output [ mW ], BCR Output Cur [  ]");
    EXPECT_EQ(display.chartChannels, (std::vector<int>{0, 28, 24}));
    session.ShowChannelChart({0, 38});
    EXPECT_EQ(display.chartChannels, (std::vector<int>{0, 28, 24}));
}

TEST_F(RecordDisplay, NavigationShowsTheChosenRecordOnly) {
    options.writeReport = false;
    Load(KissFrame(2, TlmBody(kAfternoon, 10)) + KissFrame(2, TlmBody(kAfternoon + 1, 20)));
    EXPECT_EQ(display.recordPosition, "#1 / 2");
    EXPECT_EQ(display.channelValues[24], "10.000");
    const std::string caption = display.chartCaption;
    session.RecordPositionChanged(2);
    EXPECT_EQ(display.recordPosition, "#2 / 2");
    EXPECT_EQ(display.channelValues[24], "20.000");
    EXPECT_EQ(display.recordTime, "07/12/2026 14:03:06");
    EXPECT_EQ(display.chartCaption, caption);
}

TEST_F(RecordDisplay, NoRecordEmptiesThePanel) {
    options.writeReport = false;
    Load(KissFrame(2, TlmBody(kAfternoon, 10)));
    Load(KissFrame(1, "no telemetry here"));
    EXPECT_EQ(display.recordScrollMaximum, 0);
    EXPECT_EQ(display.RecordPosition(), 0);
    EXPECT_EQ(display.recordPosition, "#0 / 0");
    for (const std::string& value : display.channelValues) {
        EXPECT_EQ(value, "");
    }
    EXPECT_EQ(display.recordTime, "");
    EXPECT_TRUE(display.chart.empty());
}

}  // namespace
}  // namespace orvex

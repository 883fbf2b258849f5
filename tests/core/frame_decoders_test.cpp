#include "frames/transmitter_modes.h"
#include "tests/support/load_fixture.h"
#include "text/digits.h"

namespace orvex {
namespace {

using test::BodyWith;
using test::Bytes;
using test::KissFrame;
using test::LittleEndian32;

constexpr std::uint32_t kAfternoon = 1796652185;  // 2026-12-07 14:03:05 UTC

class StatusFrames : public test::LoadFixture {};

TEST_F(StatusFrames, HardwareStatusGroupsAndFlags) {
    Load(KissFrame(4, LittleEndian32(kAfternoon) + Bytes({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                                          0x08, 0x09, 0x0A, 0x0B, 0x0C})));
    EXPECT_EQ(ReportBody(),
              "[HWS]Timestamp: 07/12/2026 14:03:05 - 01 02 03 04 05 06 07 08 09 0A 0B 0C \r\n"
              "[HWS]RXAART: 030201  |  TXAART: 060504  |  BCAART: 090807  |  ModemAART: 0C0B0A\r\n"
              "[HWS]TXC 5V HPA ON\r\n"
              "[HWS]TXC 10V HPA ON\r\n"
              "\r\n");
}

TEST_F(StatusFrames, HardwareStatusFlagsInTheirOwnOrder) {
    Load(KissFrame(4, BodyWith(16, {{12, 0x20}, {22, 0x0F}})));
    const std::string body = ReportBody();
    EXPECT_NE(body.find("[HWS]RXAART: 002000"), std::string::npos);
    EXPECT_NE(body.find("\r\n[HWS]TXC Exciter ON\r\n[HWS]TXC 5V HPA ON\r\n[HWS]TXC 8.5V HPA ON\r\n"
                        "[HWS]TXC 10V HPA ON\r\n\r\n"),
              std::string::npos);
}

TEST_F(StatusFrames, HardwareStatusOfElevenBytesEndsInTheDash) {
    Load(KissFrame(4, LittleEndian32(0)));
    const std::string line = "[HWS]Timestamp: 01/01/1970 - \r\n";
    EXPECT_EQ(ReportBody().substr(0, line.size()), line);
}

const char kAllZeroSoftwareStatus[] =
    "[SWS]\r\n"
    "\r\n"
    "[SWS]Digi: 0  |  TXMode: 0  |  WODGather: 0  |  TOTOut: 0  |  TOTOver: 0\r\n"
    "[SWS]WDOG0: 0  |  WDOG1: 0  |  WDOG2: 0\r\n"
    "\r\n"
    "[SWS]WOD Version: 0\r\n"
    "[SWS]WOC Channel: 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, \r\n"
    "[SWS]SPSUN: 0  |  SPECL: 0  |  ECCO: 0  |  EVCO: 0\r\n"
    "\r\n"
    "[SWS]TEPR1 0  0 \r\n"
    "[SWS]TEPR2 0  0 \r\n"
    "[SWS]TEPR3 0  0 \r\n"
    "[SWS]TEPR4 0  0 \r\n"
    "[SWS]TEPR5 0  0 \r\n"
    "[SWS]TEPR6 0  0 \r\n"
    "\r\n";

TEST_F(StatusFrames, SoftwareStatusOfSevenBytes) {
    Load(KissFrame(5, ""));
    EXPECT_EQ(ReportBody(), kAllZeroSoftwareStatus);
}

TEST_F(StatusFrames, SoftwareStatusFields) {
    std::string body = BodyWith(81, {{7, 1},
                                     {8, 2},
                                     {9, 3},
                                     {27, 4},
                                     {28, 255},
                                     {38, 5},
                                     {39, 6},
                                     {40, 7},
                                     {43, 18},
                                     {44, 71},
                                     {53, 73},
                                     {54, 8},
                                     {55, 9},
                                     {60, 10},
                                     {61, 11},
                                     {62, 12},
                                     {74, 3},
                                     {67, 200},
                                     {79, 201}});
    Load(KissFrame(5, body));
    const std::string report = ReportBody();
    std::string hex;
    for (const char c : body) {
        hex += HexByte(static_cast<std::uint8_t>(c)) + " ";
    }
    EXPECT_EQ(report.substr(0, 5 + hex.size() + 2), "[SWS]" + hex + "\r\n");
    EXPECT_NE(report.find("[SWS]Digi: 1  |  TXMode: 2  |  WODGather: 3  |  TOTOut: 4  |  "
                          "TOTOver: 255\r\n[SWS]WDOG0: 5  |  WDOG1: 6  |  WDOG2: 7\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("[SWS]WOD Version: 18\r\n[SWS]WOC Channel: 71, 0, 0, 0, 0, 0, 0, 0, "
                          "0, 73, \r\n[SWS]SPSUN: 8  |  SPECL: 9  |  ECCO: 10  |  EVCO: 11\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("[SWS]TEPR1 12  3 \r\n"), std::string::npos);
    EXPECT_NE(report.find("[SWS]TEPR6 200  201 \r\n\r\n"), std::string::npos);
}

TEST(TxModeText, SevenModesThenUnknown) {
    EXPECT_EQ(TxModeText(0), "OFF = Transmitters are turned off");
    EXPECT_EQ(TxModeText(3), "Digital High  = NO Uplink  ==>   4W  436.797MHz AFSK Downlink");
    EXPECT_EQ(TxModeText(6), "Analogue High = 145.850MHz Uplink <==>   4W  436.797MHz Downlink");
    for (int mode = 1; mode <= 6; ++mode) {
        const std::string_view text = TxModeText(static_cast<std::uint8_t>(mode));
        EXPECT_EQ(text[14], '=');
        EXPECT_EQ(text.size(), mode <= 3 ? 61u : 64u);
        const auto arrow = text.find('>');
        EXPECT_EQ(text.find("436.797MHz") - arrow - 1, 7u) << mode;
    }
    EXPECT_EQ(TxModeText(7), "UNKOWN");
    EXPECT_EQ(TxModeText(255), "UNKOWN");
}

TEST_F(StatusFrames, TransmitterOperationStates) {
    Load(KissFrame(
        13,
        BodyWith(
            21,
            {{7, 0x10}, {8, 0x0E}, {9, 0xFF}, {10, 0xFF}, {21, 4}, {22, 0}, {23, 7}, {27, 6}})));
    const std::string body = ReportBody();
    EXPECT_EQ(body,
              "[TOPR]10 0E FF FF 00 00 00 00 00 00 00 00 00 00 04 00 07 00 00 00 06 \r\n"
              "\r\n"
              "[TOPR]TOPR State 1:  3600 Analogue Low  = 145.850MHz Uplink <==>  10mW 436.797MHz "
              "Downlink\r\n"
              "[TOPR]TOPR State 2:  65535 OFF = Transmitters are turned off\r\n"
              "[TOPR]TOPR State 3:  0 UNKOWN\r\n"
              "[TOPR]TOPR State 4:  0 OFF = Transmitters are turned off\r\n"
              "[TOPR]TOPR State 5:  0 OFF = Transmitters are turned off\r\n"
              "[TOPR]TOPR State 6:  0 OFF = Transmitters are turned off\r\n"
              "[TOPR]TOPR State 7:  0 Analogue High = 145.850MHz Uplink <==>   4W  436.797MHz "
              "Downlink\r\n"
              "\r\n");
}

TEST_F(StatusFrames, CountedButSilentWithTheReportOff) {
    options.writeReport = false;
    const LoadOutcome outcome =
        Load(KissFrame(4, LittleEndian32(kAfternoon)) + KissFrame(5, "") + KissFrame(13, ""));
    EXPECT_EQ(outcome.framesDecoded, 3u);
    EXPECT_FALSE(test::FileExists(folder / "orbit.tlm"));
    EXPECT_TRUE(display.frameTexts.empty());
}

class TextFrames : public test::LoadFixture {};

TEST_F(TextFrames, EachTagListsAndReportsItsText) {
    const std::vector<std::pair<int, std::string>> tags = {
        {7, "[INF] "},   {3, "[BCR] "},         {6, "[MESSAGE] "},     {9, "[ERR] "},
        {10, "[COEF] "}, {11, "[WOD FORMAT] "}, {12, "[TLM CONTROL] "}};
    std::string log, expected;
    std::vector<std::string> items;
    for (const auto& [type, tag] : tags) {
        const std::string text = "text of " + std::to_string(type);
        log += KissFrame(static_cast<std::uint8_t>(type), text);
        expected += tag + text + "\r\n\r\n";
        items.push_back(text);
    }
    const LoadOutcome outcome = Load(log);
    EXPECT_EQ(ReportBody(), expected);
    EXPECT_EQ(display.frameTexts, items);
    EXPECT_EQ(outcome.framesDecoded, 7u);
}

TEST_F(TextFrames, SevenByteFrameAndCarriageReturnInside) {
    Load(KissFrame(6, "") + KissFrame(9, "A\rB"));
    EXPECT_EQ(ReportBody(), "[MESSAGE] \r\n\r\n[ERR] A\rB\r\n\r\n");
    EXPECT_EQ(display.frameTexts, (std::vector<std::string>{"", "A\rB"}));
}

}  // namespace
}  // namespace orvex

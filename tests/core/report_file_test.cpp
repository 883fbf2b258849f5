#include "outputs/report_file.h"
#include "outputs/output_names.h"

#include <unistd.h>

#include <filesystem>

#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::ReadFile;

std::string ExpectedHeader(const std::string& logPath) {
    return "Orvex Telemetry Decoder by Tamlo\r\n"
           "================================\r\n"
           "File: " +
           logPath +
           "\r\n"
           "\r\n"
           "[ZULWOD FILE]\r\n"
           "\r\n"
           "18 WOD version\r\n"
           "71 10 Volts Bus   \r\n"
           "123 TEPR State     \r\n"
           "81 X- Array Cur   \r\n"
           "83 X+ Array Cur   \r\n"
           "85 Y- Array Cur   \r\n"
           "87 Y+ Array Cur   \r\n"
           "89 Z- Array Cur   \r\n"
           "91 Z+ Array Cur   \r\n"
           "65 Solar Array    \r\n"
           "73 Batt #5 Temp   \r\n"
           "\r\n";
}

TEST(NameBesideLog, TheLogsFolderAndItsFileNameUpToTheFirstDot) {
    EXPECT_EQ(NameBesideLog("/logs/orbit.kss", "tlm"), "/logs/orbit.tlm");
    EXPECT_EQ(NameBesideLog("/logs/a.b.kss", "tlm"), "/logs/a.tlm");
    EXPECT_EQ(NameBesideLog("/data.old/orbit.kss", "tlm"), "/data.old/orbit.tlm");
    EXPECT_EQ(NameBesideLog("data.old/orbit.kss", "csv"), "data.old/orbit.csv");
    EXPECT_EQ(NameBesideLog("./a.kss", "tlm"), "./a.tlm");
    EXPECT_EQ(NameBesideLog("../a.kss", "tlm"), "../a.tlm");
    EXPECT_EQ(NameBesideLog("/logs/orbit.2026.kss", "csv"), "/logs/orbit.csv");
    EXPECT_EQ(NameBesideLog("/logs/orbit", "tlm"), "/logs/orbit.tlm");
    EXPECT_EQ(NameBesideLog("orbit", "tlm"), "orbit.tlm");
    EXPECT_EQ(NameBesideLog("/logs/orbit.", "csv"), "/logs/orbit.csv");
    EXPECT_EQ(NameBesideLog("/logs/.orbit.kss", "csv"), "/logs/.orbit.csv");
    EXPECT_EQ(NameBesideLog("/logs/.kss", "tlm"), "/logs/.kss.tlm");
}

TEST(LogNameLessExtension, CutsTheLastExtensionOfTheFileNameOnly) {
    EXPECT_EQ(LogNameLessExtension("/logs/orbit.2026-03-01.kss"), "orbit.2026-03-01");
    EXPECT_EQ(LogNameLessExtension("data.old/orbit"), "orbit");
    EXPECT_EQ(LogNameLessExtension("/logs/.orbit.kss"), ".orbit");
    EXPECT_EQ(LogNameLessExtension("/logs/.kss"), ".kss");
    EXPECT_EQ(LogNameLessExtension("archive"), "archive");
}

class ReportOfALoad : public test::LoadFixture {};

TEST_F(ReportOfALoad, HeaderThenOneBlockPerFrame) {
    Load(KissFrame(1, "12:00:00"));
    EXPECT_EQ(Report(), ExpectedHeader(logPath) + "[TIME] 12:00:00\r\n\r\n");
}

TEST_F(ReportOfALoad, TimeFrameOfSevenBytesWritesTheTagAlone) {
    Load(KissFrame(1, ""));
    EXPECT_EQ(ReportBody(), "[TIME] \r\n\r\n");
    EXPECT_EQ(display.frameTexts, std::vector<std::string>{""});
}

TEST_F(ReportOfALoad, TimeFrameIsListedAndCountedWithTheReportOff) {
    options.writeReport = false;
    Load(KissFrame(1, "12:00:00"));
    EXPECT_FALSE(test::FileExists(folder / "orbit.tlm"));
    EXPECT_EQ(display.frameTexts, std::vector<std::string>{"12:00:00"});
    EXPECT_EQ(display.frameCounter, "1 frames");
}

TEST_F(ReportOfALoad, DotInAFolderNameDoesNotCutThePath) {
    std::filesystem::create_directory(folder / "data.old");
    Load(KissFrame(1, "A"), "data.old/orbit.kss");
    EXPECT_EQ(ReadFile(folder / "data.old/orbit.tlm"),
              ExpectedHeader(logPath) + "[TIME] A\r\n\r\n");
    EXPECT_EQ(ReadFile(folder / "data.old/orbit.csv").substr(0, 5), "Time;");
    EXPECT_FALSE(test::FileExists(folder / "data.tlm"));
    EXPECT_FALSE(test::FileExists(folder / "data.csv"));
}

TEST_F(ReportOfALoad, PathWithoutADotNamesTheOutputsAfterTheWholeName) {
    Load(KissFrame(1, "A"), "orbitlog");
    EXPECT_EQ(ReadFile(folder / "orbitlog.tlm"), ExpectedHeader(logPath) + "[TIME] A\r\n\r\n");
    EXPECT_TRUE(test::FileExists(folder / "orbitlog.csv"));
}

TEST_F(ReportOfALoad, SecondLoadReplacesTheFirstLoadsReport) {
    Load(KissFrame(1, "first"));
    Load(KissFrame(1, "second"));
    EXPECT_EQ(Report(), ExpectedHeader(logPath) + "[TIME] second\r\n\r\n");
}

TEST_F(ReportOfALoad, UncheckedAtOpenButCheckedDuringTheLoadAppendsWithoutHeader) {
    folder.Write("orbit.tlm", "earlier\r\n");
    options.writeReport = false;
    hook.onFrame = [this](std::uint64_t) { options.writeReport = true; };
    Load(KissFrame(1, "one") + KissFrame(1, "two"));
    EXPECT_EQ(Report(), "earlier\r\n[TIME] two\r\n\r\n");
}

TEST_F(ReportOfALoad, SwitchedOffDuringTheLoadKeepsWhatWasWritten) {
    hook.onFrame = [this](std::uint64_t) { options.writeReport = false; };
    Load(KissFrame(1, "one") + KissFrame(1, "two"));
    EXPECT_EQ(ReportBody(), "[TIME] one\r\n\r\n");
}

TEST_F(ReportOfALoad, FrameBytesReachTheReportUnchanged) {
    std::string text;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x0A) {  // an LF after the CR byte would be dropped by the framing
            text += static_cast<char>(b);
        }
    }
    Load(KissFrame(7, text));
    EXPECT_EQ(ReportBody(), "[INF] " + text + "\r\n\r\n");
    EXPECT_EQ(display.frameTexts, std::vector<std::string>{text});
}

}  // namespace
}  // namespace orvex

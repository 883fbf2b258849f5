// Two runs whose outputs meet (the same log twice, or a.b.kss and a.c.kss,
// which both name a.tlm and a.csv): the second finds the outputs held, stops
// that log without writing anything and exits 1; the first ends whole.
#include "outputs/output_file.h"
#include "outputs/wod_export.h"
#include "tests/reliability/cli_runner.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::ReadFile;
using test::WodBody;

const std::string kBusy = ": it is being written by another run\n";

std::string PassLog() {
    std::string log;
    for (int i = 0; i < 20; ++i) {
        log += KissFrame(1, "frame " + std::to_string(i)) + KissFrame(8, WodBody({}, {}, {}));
    }
    return log;
}

std::string PassReportBody() {
    const std::string wodLine = "[WOD] 01/01/1970  [00]  00 00 00 00 00 00 00 00 00 00 \r\n";
    std::string body;
    for (int i = 0; i < 20; ++i) {
        body +=
            "[TIME] frame " + std::to_string(i) + "\r\n\r\n" + wodLine + wodLine + wodLine + "\r\n";
    }
    return body;
}

class OneWriterPerOutput : public test::LoadFixture {
protected:
    // Loads a.b.kss and, at its first frame, runs orvex-decode with `args`.
    test::CliResult RunDuringALoad(std::vector<std::string> args) {
        test::CliResult second;
        hook.onFrame = [&](std::uint64_t count) {
            if (count == 1) {
                second = test::RunCli(args);
            }
        };
        first = Load(PassLog(), "a.b.kss");
        return second;
    }
    void ExpectFirstLoadWhole() {
        EXPECT_TRUE(first.problems.empty());
        const std::string report = ReadFile(folder / "a.tlm");
        EXPECT_EQ(report.substr(report.find("[TIME]")), PassReportBody());
        EXPECT_EQ(ReadFile(folder / "a.csv").substr(WodExportHeader().size()),
                  "00:00:00;8.17;0.00;2.54;3.88;1.95;0.84;-5.17;3.72;7.97;145.08;\r\n");
    }

    LoadOutcome first;
};

TEST_F(OneWriterPerOutput, SameLogTwiceTheSecondRunWritesNothing) {
    const test::CliResult second = RunDuringALoad({folder / "a.b.kss"});
    EXPECT_EQ(second.code, 1);
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.err, "orvex-decode: Cannot write the report " + (folder / "a.tlm") + kBusy);
    ExpectFirstLoadWhole();
}

TEST_F(OneWriterPerOutput, LogsNamingTheSameOutputsTheSecondIsStopped) {
    const std::string other = folder.Write("a.c.kss", KissFrame(1, "other"));
    test::CliResult second = RunDuringALoad({other});
    EXPECT_EQ(second.code, 1);
    EXPECT_EQ(second.err, "orvex-decode: Cannot write the report " + (folder / "a.tlm") + kBusy);

    second = RunDuringALoad({"--no-report", other});
    EXPECT_EQ(second.code, 1);
    EXPECT_EQ(second.err,
              "orvex-decode: Cannot write the WOD export " + (folder / "a.csv") + kBusy);
    ExpectFirstLoadWhole();
    EXPECT_EQ(test::FolderEntries(folder.Path()),
              (std::vector<std::string>{"a.b.kss", "a.c.kss", "a.csv", "a.tlm"}));
}

TEST_F(OneWriterPerOutput, WindowRefusesTheLoadAndTouchesNoFile) {
    folder.Write("orbit.tlm", "earlier report");
    OutputFile other;
    ASSERT_TRUE(other.Claim(folder / "orbit.tlm"));
    const LoadOutcome outcome = Load(PassLog());
    other.Abandon();
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(outcome.framesDecoded, 0u);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].Message() + "\n",
              "Cannot write the report " + (folder / "orbit.tlm") + kBusy);
    EXPECT_EQ(Report(), "earlier report");
    EXPECT_EQ(test::FolderEntries(folder.Path()),
              (std::vector<std::string>{"orbit.kss", "orbit.tlm"}));
}

}  // namespace
}  // namespace orvex

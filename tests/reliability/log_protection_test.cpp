// An output whose name is the log's own (a log named x.tlm or x.csv, or a
// link to the log where the report would go) is refused: the log stays as
// it was and the load is otherwise complete.
#include <unistd.h>

#include "tests/reliability/cli_runner.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::ReadFile;
using test::WodBody;

const std::string kRefusal = ": it is the log being read, which it would replace";

std::string SmallLog() {
    return KissFrame(1, "12:00:00") + KissFrame(8, WodBody({}, {}, {}));
}

class LogProtection : public test::LoadFixture {
protected:
    void ExpectLogIntact() { EXPECT_EQ(ReadFile(logPath), SmallLog()); }
};

TEST_F(LogProtection, LogNamedLikeItsReport) {
    const LoadOutcome outcome = Load(SmallLog(), "orbit.tlm");
    ExpectLogIntact();
    EXPECT_EQ(outcome.framesDecoded, 2u);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].Message(), "Cannot write the report " + logPath + kRefusal);
    EXPECT_FALSE(outcome.reportPath);
    EXPECT_EQ(outcome.exportPath, folder / "orbit.csv");
}

TEST_F(LogProtection, LogNamedLikeItsReportWithTheReportSwitchedOnLate) {
    options.writeReport = false;
    hook.onFrame = [this](std::uint64_t) { options.writeReport = true; };
    const LoadOutcome outcome = Load(SmallLog(), "orbit.tlm");
    ExpectLogIntact();
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].Message(), "Cannot write the report " + logPath + kRefusal);
}

TEST_F(LogProtection, LogNamedLikeItsExport) {
    const LoadOutcome outcome = Load(SmallLog(), "orbit.csv");
    ExpectLogIntact();
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].Message(), "Cannot write the WOD export " + logPath + kRefusal);
    EXPECT_FALSE(outcome.exportPath);
    EXPECT_EQ(outcome.reportPath, folder / "orbit.tlm");
}

TEST_F(LogProtection, LinksToTheLogWhereTheOutputsWouldGo) {
    const std::string log = folder.Write("orbit.kss", SmallLog());
    ASSERT_EQ(::symlink(log.c_str(), (folder / "orbit.tlm").c_str()), 0);
    ASSERT_EQ(::link(log.c_str(), (folder / "orbit.csv").c_str()), 0);
    logPath = log;
    const LoadOutcome outcome = Open(log);
    ExpectLogIntact();
    ASSERT_EQ(outcome.problems.size(), 2u);
    EXPECT_EQ(outcome.problems[0].Message(),
              "Cannot write the report " + (folder / "orbit.tlm") + kRefusal);
    EXPECT_EQ(outcome.problems[1].Message(),
              "Cannot write the WOD export " + (folder / "orbit.csv") + kRefusal);
}

TEST(CliLogProtection, ExitsOneAndKeepsTheLog) {
    const test::TempFolder folder;
    const std::string log = folder.Write("pass.tlm", SmallLog());
    const test::CliResult run = test::RunCli({log});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvex-decode: Cannot write the report " + log + kRefusal + "\n");
    EXPECT_EQ(run.out,
              log + ": 2 frames read, 2 decoded, 0 TLM records, 3 WOD rows (1 distinct)\n");
    EXPECT_EQ(ReadFile(log), SmallLog());
}

}  // namespace
}  // namespace orvex

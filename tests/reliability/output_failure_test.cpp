// A report or export that cannot be written: decoding goes on, one message
// names each file and the reason, and nothing claims the file was written.
#include <unistd.h>

#include <filesystem>

#include "tests/reliability/cli_runner.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::TlmBody;
using test::WodBody;

// What stands where an output file would be.
enum class Blocker { Folder, FullDevice };

std::string ReasonOf(Blocker blocker) {
    return blocker == Blocker::Folder ? "Is a directory" : "No space left on device";
}

void Block(const std::string& path, Blocker blocker) {
    if (blocker == Blocker::Folder) {
        ASSERT_TRUE(std::filesystem::create_directory(path));
    } else {
        ASSERT_TRUE(std::filesystem::exists("/dev/full"));
        ASSERT_EQ(::symlink("/dev/full", path.c_str()), 0);
    }
}

// A TLM, a time and a WOD frame, the TLM frames repeated so that the report
// outgrows its write buffer several times.
std::string MixedLog(int tlmFrames = 1) {
    std::string log;
    for (int i = 0; i < tlmFrames; ++i) {
        log += KissFrame(2, TlmBody(1000 + i, 7));
    }
    return log + KissFrame(1, "12:00:00") + KissFrame(8, WodBody({}, {}, {}));
}

class OutputFailure : public test::LoadFixture, public ::testing::WithParamInterface<Blocker> {
protected:
    void ExpectDecodedInFull(const LoadOutcome& outcome, int tlmFrames = 1) {
        EXPECT_TRUE(outcome.ran);
        EXPECT_EQ(outcome.framesDecoded, static_cast<std::uint64_t>(tlmFrames) + 2);
        EXPECT_EQ(outcome.records, static_cast<std::uint64_t>(tlmFrames));
        EXPECT_EQ(display.frameTexts, std::vector<std::string>{"12:00:00"});
        EXPECT_EQ(outcome.wodRows, 3u);
        EXPECT_TRUE(display.recordNavigationEnabled);
        EXPECT_FALSE(display.busy);
    }
    void ExpectOneProblem(const LoadOutcome& outcome, const std::string& message) {
        ASSERT_EQ(outcome.problems.size(), 1u);
        EXPECT_EQ(outcome.problems[0].Message(), message);
    }
};

TEST_P(OutputFailure, ReportThatCannotBeWritten) {
    Block(folder / "orbit.tlm", GetParam());
    const int tlmFrames = 2000;
    const LoadOutcome outcome = Load(MixedLog(tlmFrames));
    ExpectDecodedInFull(outcome, tlmFrames);
    ExpectOneProblem(
        outcome, "Cannot write the report " + (folder / "orbit.tlm") + ": " + ReasonOf(GetParam()));
    EXPECT_FALSE(outcome.reportPath);
    EXPECT_EQ(outcome.exportPath, folder / "orbit.csv");
    EXPECT_EQ(ExportRows(), "00:00:00;8.17;0.00;2.54;3.88;1.95;0.84;-5.17;3.72;7.97;145.08;\r\n");
}

TEST_P(OutputFailure, ReportSwitchedOnDuringTheLoad) {
    Block(folder / "orbit.tlm", GetParam());
    options.writeReport = false;
    hook.onFrame = [this](std::uint64_t) { options.writeReport = true; };
    const LoadOutcome outcome = Load(MixedLog());
    ExpectDecodedInFull(outcome);
    ExpectOneProblem(
        outcome, "Cannot write the report " + (folder / "orbit.tlm") + ": " + ReasonOf(GetParam()));
    EXPECT_FALSE(outcome.reportPath);
}

TEST_P(OutputFailure, ExportThatCannotBeWritten) {
    Block(folder / "orbit.csv", GetParam());
    const LoadOutcome outcome = Load(MixedLog());
    ExpectDecodedInFull(outcome);
    ExpectOneProblem(outcome, "Cannot write the WOD export " + (folder / "orbit.csv") + ": " +
                                  ReasonOf(GetParam()));
    EXPECT_FALSE(outcome.exportPath || outcome.wodRowsExported);
    EXPECT_EQ(outcome.reportPath, folder / "orbit.tlm");
    EXPECT_NE(ReportBody().find("[TIME] 12:00:00\r\n"), std::string::npos);
}

TEST_P(OutputFailure, BothOutputsFailOneMessageEach) {
    Block(folder / "orbit.tlm", GetParam());
    Block(folder / "orbit.csv", GetParam());
    const LoadOutcome outcome = Load(MixedLog(300));
    ExpectDecodedInFull(outcome, 300);
    ASSERT_EQ(outcome.problems.size(), 2u);
    EXPECT_EQ(outcome.problems[0].action, FileProblem::Action::WriteReport);
    EXPECT_EQ(outcome.problems[1].action, FileProblem::Action::WriteExport);
    EXPECT_FALSE(outcome.reportPath || outcome.exportPath);
}

TEST_P(OutputFailure, NextLoadWritesOnceTheWayIsClear) {
    Block(folder / "orbit.tlm", GetParam());
    Load(MixedLog());
    std::filesystem::remove(folder / "orbit.tlm");
    const LoadOutcome outcome = Open(logPath);
    EXPECT_TRUE(outcome.problems.empty());
    EXPECT_EQ(outcome.reportPath, folder / "orbit.tlm");
    EXPECT_NE(ReportBody().find("[TIME] 12:00:00\r\n"), std::string::npos);
}

TEST_P(OutputFailure, CliExitsOneAfterDecodingWithOneLinePerFile) {
    const std::string log = folder.Write("orbit.kss", MixedLog(300));
    Block(folder / "orbit.tlm", GetParam());
    test::CliResult run = test::RunCli({log});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out,
              log + ": 302 frames read, 302 decoded, 300 TLM records, 3 WOD rows (1 distinct)\n");
    EXPECT_EQ(run.err, "orvex-decode: Cannot write the report " + (folder / "orbit.tlm") + ": " +
                           ReasonOf(GetParam()) + "\n");

    std::filesystem::remove(folder / "orbit.csv");
    Block(folder / "orbit.csv", GetParam());
    run = test::RunCli({"--no-report", log});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, log + ": 302 frames read, 302 decoded, 300 TLM records, 3 WOD rows\n");
    EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1),
              "orvex-decode: Cannot write the WOD export " + (folder / "orbit.csv") + ": " +
                  ReasonOf(GetParam()) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Blockers, OutputFailure,
                         ::testing::Values(Blocker::Folder, Blocker::FullDevice),
                         [](const auto& info) {
                             return info.param == Blocker::Folder ? "FolderInTheWay" : "FullDevice";
                         });

}  // namespace
}  // namespace orvex

// Links planted where the outputs go, a named pipe and a read-only folder:
// the report and the export treat them alike. A link to a file has that file
// replaced whole, a hard-linked name keeps its content, a link to nothing is
// refused, a pipe nobody reads is refused at once, and a read-only folder is
// refused with its reason. The decode itself always completes.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/reliability/cli_runner.h"
#include "tests/support/load_fixture.h"
#include "tests/support/unprivileged_user.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::ReadFile;
using test::WodBody;
using Names = std::vector<std::string>;

std::string SmallLog() {
    return KissFrame(1, "12:00:00") + KissFrame(8, WodBody({}, {}, {}));
}

constexpr char kRows[] = "00:00:00;8.17;0.00;2.54;3.88;1.95;0.84;-5.17;3.72;7.97;145.08;\r\n";

std::string SmallLogReportBody() {
    const std::string wodLine = "[WOD] 01/01/1970  [00]  00 00 00 00 00 00 00 00 00 00 \r\n";
    return "[TIME] 12:00:00\r\n\r\n" + wodLine + wodLine + wodLine + "\r\n";
}

class OutputLinks : public test::LoadFixture {
protected:
    void Link(const std::string& target, const std::string& name) {
        ASSERT_EQ(::symlink(target.c_str(), (folder / name).c_str()), 0);
    }
    void ExpectDecoded(const LoadOutcome& outcome) {
        EXPECT_TRUE(outcome.ran);
        EXPECT_EQ(outcome.framesDecoded, 2u);
        EXPECT_EQ(display.frameTexts, Names{"12:00:00"});
    }
};

TEST_F(OutputLinks, LinksToFilesHaveTheirTargetsReplacedWhole) {
    std::filesystem::create_directory(folder / "archive");
    for (const char* name : {"pass.tlm", "pass.csv"}) {
        folder.Write(std::string("archive/") + name, "earlier");
        ASSERT_EQ(::link((folder / "archive/" + name).c_str(),
                         (folder / "archive/copy-of-" + name).c_str()),
                  0);
    }
    Link("archive/pass.tlm", "orbit.tlm");
    Link("archive/pass.csv", "orbit.csv");
    ExpectDecoded(Load(SmallLog()));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "orbit.tlm"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "orbit.csv"));
    EXPECT_EQ(ReportBody(), SmallLogReportBody());
    EXPECT_EQ(ReadFile(folder / "archive/pass.tlm"), Report());
    EXPECT_EQ(ExportRows(), kRows);
    EXPECT_EQ(ReadFile(folder / "archive/copy-of-pass.tlm"), "earlier");
    EXPECT_EQ(ReadFile(folder / "archive/copy-of-pass.csv"), "earlier");
    EXPECT_EQ(test::FolderEntries(folder / "archive"),
              (Names{"copy-of-pass.csv", "copy-of-pass.tlm", "pass.csv", "pass.tlm"}));
}

TEST_F(OutputLinks, HardLinkedOutputsAreReplacedNotTruncated) {
    folder.Write("orbit.tlm", "my own report");
    folder.Write("orbit.csv", "my own rows");
    ASSERT_EQ(::link((folder / "orbit.tlm").c_str(), (folder / "mine.tlm").c_str()), 0);
    ASSERT_EQ(::link((folder / "orbit.csv").c_str(), (folder / "mine.csv").c_str()), 0);
    ExpectDecoded(Load(SmallLog()));
    EXPECT_EQ(ReportBody(), SmallLogReportBody());
    EXPECT_EQ(ExportRows(), kRows);
    EXPECT_EQ(ReadFile(folder / "mine.tlm"), "my own report");
    EXPECT_EQ(ReadFile(folder / "mine.csv"), "my own rows");
}

TEST_F(OutputLinks, LinksToNothingAreRefusedAndCreateNothing) {
    std::filesystem::create_directory(folder / "elsewhere");
    Link("elsewhere/planted.tlm", "orbit.tlm");
    Link("elsewhere/planted.csv", "orbit.csv");
    const LoadOutcome outcome = Load(SmallLog());
    ExpectDecoded(outcome);
    ASSERT_EQ(outcome.problems.size(), 2u);
    EXPECT_EQ(outcome.problems[0].Message(),
              "Cannot write the report " + (folder / "orbit.tlm") +
                  ": it is a symbolic link to elsewhere/planted.tlm, which does not exist");
    EXPECT_EQ(outcome.problems[1].Message(),
              "Cannot write the WOD export " + (folder / "orbit.csv") +
                  ": it is a symbolic link to elsewhere/planted.csv, which does not exist");
    EXPECT_EQ(test::FolderEntries(folder / "elsewhere"), Names{});
}

TEST_F(OutputLinks, ReportSwitchedOnLateIsRefusedThroughALinkToNothing) {
    Link("planted.tlm", "orbit.tlm");
    options.writeReport = false;
    hook.onFrame = [this](std::uint64_t) { options.writeReport = true; };
    const LoadOutcome outcome = Load(SmallLog());
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].Message(),
              "Cannot write the report " + (folder / "orbit.tlm") +
                  ": it is a symbolic link to planted.tlm, which does not exist");
    EXPECT_FALSE(test::FileExists(folder / "planted.tlm"));
}

TEST(OutputPipes, CliRefusesAReportPipeThatNobodyReads) {
    const test::TempFolder folder;
    const std::string log = folder.Write("orbit.kss", SmallLog());
    ASSERT_EQ(::mkfifo((folder / "orbit.tlm").c_str(), 0600), 0);
    ::alarm(10);  // a hang ends the test program instead of the test run
    const test::CliResult run = test::RunCli({log});
    ::alarm(0);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvex-decode: Cannot write the report " + (folder / "orbit.tlm") +
                           ": it is a named pipe that no program is reading\n");
    EXPECT_EQ(ReadFile(folder / "orbit.csv").substr(0, 5), "Time;");
}

TEST(ReadOnlyFolder, CliRefusesBothOutputsAndKeepsThem) {
    const test::TempFolder folder;
    std::filesystem::create_directory(folder / "shared");
    const std::string log = folder.Write("shared/orbit.kss", SmallLog());
    const std::string report = folder.Write("shared/orbit.tlm", "earlier report");
    const std::string csv = folder.Write("shared/orbit.csv", "earlier rows");
    test::UnprivilegedUser::Give(folder.Path(), 0755);
    test::UnprivilegedUser::Give(report, 0666);
    test::UnprivilegedUser::Give(csv, 0666);
    test::UnprivilegedUser::Give(folder / "shared", 0555);
    test::CliResult run;
    {
        const test::UnprivilegedUser user;
        if (!user.Reaches(folder.Path())) {
            GTEST_SKIP() << "the user nobody cannot reach " << folder.Path();
        }
        run = test::RunCli({log});
    }
    ::chmod((folder / "shared").c_str(), 0755);
    const std::string reason =
        ": its folder is read-only, and it is only ever replaced whole, never rewritten in "
        "place\n";
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvex-decode: Cannot write the report " + report + reason +
                           "orvex-decode: Cannot write the WOD export " + csv + reason);
    EXPECT_EQ(run.out, log + ": 2 frames read, 2 decoded, 0 TLM records, 3 WOD rows\n");
    EXPECT_EQ(ReadFile(report), "earlier report");
    EXPECT_EQ(ReadFile(csv), "earlier rows");
}

}  // namespace
}  // namespace orvex

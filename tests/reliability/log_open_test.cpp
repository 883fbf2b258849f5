// A log that cannot be opened: the message names it and the reason, nothing
// is written, and what an earlier load left stays.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/reliability/cli_runner.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::FileExists;
using test::KissFrame;
using test::TlmBody;

struct Unopenable {
    std::string path;
    std::string reason;
};

// Logs that fail to open for any user, root included.
std::vector<Unopenable> UnopenableLogs(const test::TempFolder& folder) {
    std::filesystem::create_directory(folder / "folder.kss");
    folder.Write("plain", "");
    return {
        {folder / "missing.kss", "No such file or directory"},
        {folder / "folder.kss", "Is a directory"},
        {folder / "plain/inner.kss", "Not a directory"},
    };
}

class LogCannotBeOpened : public test::LoadFixture {
protected:
    void LoadFirstLog() {
        Load(KissFrame(2, TlmBody(1000, 10)) + KissFrame(2, TlmBody(2000, 20)) +
             KissFrame(1, "kept"));
        firstReport = Report();
    }

    void ExpectFirstLoadKept() {
        EXPECT_EQ(display.frameTexts, std::vector<std::string>{"kept"});
        EXPECT_EQ(session.History().Count(), 2u);
        EXPECT_EQ(display.chart.size(), 2u);
        EXPECT_EQ(display.recordPosition, "#1 / 2");
        EXPECT_EQ(display.logPath, logPath);
        EXPECT_EQ(display.frameCounter, "3 frames");
        EXPECT_EQ(session.CurrentLoad()->Path(), logPath);
        EXPECT_EQ(Report(), firstReport);
        EXPECT_FALSE(display.busy);
        EXPECT_FALSE(session.Loading());
    }

    std::string firstReport;
};

TEST_F(LogCannotBeOpened, MessageNamesTheLogAndTheLoadBeforeIsKept) {
    LoadFirstLog();
    for (const auto& [path, reason] : UnopenableLogs(folder)) {
        SCOPED_TRACE(path);
        const LoadOutcome outcome = Open(path);
        EXPECT_FALSE(outcome.ran);
        ASSERT_EQ(outcome.problems.size(), 1u);
        EXPECT_EQ(outcome.problems[0].Message(), "Cannot open the log " + path + ": " + reason);
        EXPECT_FALSE(outcome.reportPath || outcome.exportPath);
        ExpectFirstLoadKept();
    }
    EXPECT_FALSE(FileExists(folder / "missing.tlm"));
    EXPECT_FALSE(FileExists(folder / "folder.tlm"));
    EXPECT_FALSE(FileExists(folder / "folder.csv"));
}

TEST_F(LogCannotBeOpened, ReportAndExportOfTheFirstLogAreNotTouched) {
    LoadFirstLog();
    const std::string firstExport = Export();
    // Shares the first log's name up to the first dot, so its outputs would
    // replace the first log's.
    Open(folder / "orbit.missing.kss");
    EXPECT_EQ(Report(), firstReport);
    EXPECT_EQ(Export(), firstExport);
}

TEST_F(LogCannotBeOpened, WithoutReadPermission) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads any file";
    }
    const std::string path = folder.Write("locked.kss", KissFrame(1, "x"));
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    const LoadOutcome outcome = Open(path);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].Message(), "Cannot open the log " + path + ": Permission denied");
    EXPECT_FALSE(FileExists(folder / "locked.tlm"));
}

TEST(CliLogCannotBeOpened, ExitsOneNamingTheLogAndWritesNothing) {
    const test::TempFolder folder;
    for (const auto& [path, reason] : UnopenableLogs(folder)) {
        SCOPED_TRACE(path);
        const test::CliResult run = test::RunCli({path});
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, "orvex-decode: Cannot open the log " + path + ": " + reason + "\n");
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(FileExists(folder / "missing.tlm"));
    EXPECT_FALSE(FileExists(folder / "missing.csv"));
    EXPECT_FALSE(FileExists(folder / "folder.tlm"));
}

}  // namespace
}  // namespace orvex

// Log paths as users name them: blanks, characters beyond ASCII (UTF-8 or
// not), several dots, no dot at all, relative. The outputs land beside the
// log, named by its file name up to the first dot, and the path reaches the
// report unchanged.
#include <filesystem>

#include "tests/reliability/cli_runner.h"
#include "tests/support/child_process.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::ReadFile;

struct NamedLog {
    std::string log;  // inside the scratch folder
    std::string report;
    std::string csv;
};

class PathNames : public ::testing::Test {
protected:
    void SetUp() override {
        if (folder.Path().find('.') != std::string::npos) {
            GTEST_SKIP() << "the scratch folder's own path has a dot: " << folder.Path();
        }
    }
    std::string WriteLog(const std::string& name) {
        std::filesystem::create_directories(std::filesystem::path(folder / name).parent_path());
        return folder.Write(name, KissFrame(1, "12:00:00"));
    }

    test::TempFolder folder;
};

TEST_F(PathNames, OutputsBesideTheLogByItsFirstDot) {
    const std::vector<NamedLog> logs = {
        {"my logs/orbit pass 1.kss", "my logs/orbit pass 1.tlm", "my logs/orbit pass 1.csv"},
        {"Überflug/Ørbit ☄ 7.kss", "Überflug/Ørbit ☄ 7.tlm", "Überflug/Ørbit ☄ 7.csv"},
        {"\xE9t\xE9/\xE0 minuit.kss", "\xE9t\xE9/\xE0 minuit.tlm", "\xE9t\xE9/\xE0 minuit.csv"},
        {"orbit.2026.12.07.kss", "orbit.tlm", "orbit.csv"},
        {"archive.d/orbit.kss", "archive.d/orbit.tlm", "archive.d/orbit.csv"},
    };
    for (const NamedLog& named : logs) {
        SCOPED_TRACE(named.log);
        const std::string log = WriteLog(named.log);
        const test::CliResult run = test::RunCli({log});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out.substr(0, log.size() + 15), log + ": 1 frames read");
        const std::string report = ReadFile(folder / named.report);
        EXPECT_NE(report.find("\r\nFile: " + log + "\r\n"), std::string::npos);
        EXPECT_NE(report.find("[TIME] 12:00:00\r\n"), std::string::npos);
        EXPECT_EQ(ReadFile(folder / named.csv).substr(0, 5), "Time;");
    }
}

TEST_F(PathNames, LogWithoutADotGetsItsOutputsBesideItNotInTheWorkingFolder) {
    const std::string log = WriteLog("logs/orbit");
    std::filesystem::create_directory(folder / "work");
    EXPECT_TRUE(test::PassesInFolder(folder / "work", [&] {
        const test::CliResult run = test::RunCli({log});
        EXPECT_EQ(run.code, 0) << run.err;
    }));
    EXPECT_NE(ReadFile(folder / "logs/orbit.tlm").find("\r\nFile: " + log + "\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadFile(folder / "logs/orbit.csv").substr(0, 5), "Time;");
    EXPECT_FALSE(test::FileExists(folder / "work/tlm"));
    EXPECT_FALSE(test::FileExists(folder / "work/csv"));
}

TEST_F(PathNames, RelativeLogsGetTheirOutputsBesideThemAndNotHidden) {
    WriteLog("logs/a.kss");
    WriteLog("b.kss");
    std::filesystem::create_directory(folder / "work");
    EXPECT_TRUE(test::PassesInFolder(folder / "work", [&] {
        const test::CliResult run = test::RunCli({"../logs/a.kss", "./../b.kss"});
        EXPECT_EQ(run.code, 0) << run.err;
    }));
    EXPECT_TRUE(test::FileExists(folder / "logs/a.tlm"));
    EXPECT_TRUE(test::FileExists(folder / "logs/a.csv"));
    EXPECT_TRUE(test::FileExists(folder / "b.tlm"));
    EXPECT_TRUE(test::FileExists(folder / "b.csv"));
    EXPECT_FALSE(test::FileExists(folder / "work/.tlm"));
    EXPECT_FALSE(test::FileExists(folder / ".tlm"));
    EXPECT_FALSE(test::FileExists(folder / ".csv"));
    // The report names the log by the path it was given, made absolute.
    EXPECT_NE(ReadFile(folder / "b.tlm").find("\r\nFile: " + (folder / "work/./../b.kss") + "\r\n"),
              std::string::npos);
}

TEST_F(PathNames, RelativeLogWithoutADotIsMadeAbsolute) {
    WriteLog("orbit");
    EXPECT_TRUE(test::PassesInFolder(folder.Path(), [&] {
        const test::CliResult run = test::RunCli({"orbit"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out,
                  (folder / "orbit") +
                      ": 1 frames read, 1 decoded, 0 TLM records, 0 WOD rows (0 distinct)\n");
    }));
    EXPECT_NE(ReadFile(folder / "orbit.tlm").find("\r\nFile: " + (folder / "orbit") + "\r\n"),
              std::string::npos);
}

TEST_F(PathNames, ReportNamedLikeAFolderIsRefusedWithItsName) {
    const std::string log = WriteLog("orbit");
    std::filesystem::create_directory(folder / "orbit.tlm");
    const test::CliResult run = test::RunCli({log});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvex-decode: Cannot write the report " + (folder / "orbit.tlm") +
                           ": Is a directory\n");
    EXPECT_EQ(run.out,
              log + ": 1 frames read, 1 decoded, 0 TLM records, 0 WOD rows (0 distinct)\n");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "orbit.tlm"));
    EXPECT_EQ(ReadFile(folder / "orbit.csv").substr(0, 5), "Time;");
}

}  // namespace
}  // namespace orvex

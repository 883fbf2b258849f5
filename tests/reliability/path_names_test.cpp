// Log paths as users name them: blanks, characters beyond ASCII (UTF-8 or
// not), several dots, no dot at all. The outputs are named by the first dot
// of the whole path and the path reaches the report unchanged.
#include <filesystem>

#include "tests/reliability/cli_runner.h"
#include "tests/support/load_fixture.h"
#include "tests/support/working_folder.h"

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
        {"archive.d/orbit.kss", "archive.tlm", "archive.csv"},
    };
    for (const NamedLog& named : logs) {
        SCOPED_TRACE(named.log);
        const std::string log = WriteLog(named.log);
        const test::CliResult run = test::RunCli({log});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out.substr(0, log.size() + 10), log + ": 1 frames");
        const std::string report = ReadFile(folder / named.report);
        EXPECT_NE(report.find("\r\nFile: " + log + "\r\n"), std::string::npos);
        EXPECT_NE(report.find("[TIME] 12:00:00\r\n"), std::string::npos);
        EXPECT_EQ(ReadFile(folder / named.csv).substr(0, 5), "Time;");
    }
}

TEST_F(PathNames, LogWithoutADotWritesTlmAndCsvInTheWorkingFolder) {
    const std::string log = WriteLog("logs/orbit");
    std::filesystem::create_directory(folder / "work");
    const test::WorkingFolder work(folder / "work");
    const test::CliResult run = test::RunCli({log});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(ReadFile(folder / "work/tlm").find("\r\nFile: " + log + "\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(folder / "work/csv").substr(0, 5), "Time;");
    EXPECT_FALSE(test::FileExists(folder / "logs/tlm"));
}

TEST_F(PathNames, RelativeLogWithoutADotIsMadeAbsolute) {
    WriteLog("orbit");
    const test::WorkingFolder work(folder.Path());
    const test::CliResult run = test::RunCli({"orbit"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, (folder / "orbit") + ": 1 frames, 0 TLM records, 0 WOD rows (0 distinct)\n");
    EXPECT_NE(ReadFile(folder / "tlm").find("\r\nFile: " + (folder / "orbit") + "\r\n"),
              std::string::npos);
}

TEST_F(PathNames, ReportNamedLikeAFolderIsRefusedWithItsName) {
    const std::string log = WriteLog("orbit");
    std::filesystem::create_directory(folder / "tlm");
    const test::WorkingFolder work(folder.Path());
    const test::CliResult run = test::RunCli({log});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvex-decode: Cannot write the report tlm: Is a directory\n");
    EXPECT_EQ(run.out, log + ": 1 frames, 0 TLM records, 0 WOD rows (0 distinct)\n");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "tlm"));
    EXPECT_EQ(ReadFile(folder / "csv").substr(0, 5), "Time;");
}

}  // namespace
}  // namespace orvex

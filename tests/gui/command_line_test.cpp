#include <QDir>
#include <filesystem>

#include "app/window/command_line.h"
#include "app/window/object_names.h"
#include "cli/decode_command.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

using Action = WindowArguments::Action;

WindowArguments Parse(const QStringList& arguments) {
    return ParseWindowArguments(QStringList{"orvex"} + arguments);
}

TEST(WindowCommandLine, TakesAtMostOneLogAndMakesItsPathAbsolute) {
    EXPECT_EQ(Parse({}).action, Action::OpenWindow);
    EXPECT_EQ(Parse({}).log, "");

    const WindowArguments absolute = Parse({"/logs/orbit.kss"});
    EXPECT_EQ(absolute.action, Action::OpenWindow);
    EXPECT_EQ(absolute.log, "/logs/orbit.kss");
    EXPECT_EQ(Parse({"--", "-odd name.kss"}).log,
              QDir::current().absoluteFilePath("-odd name.kss"));
    EXPECT_EQ(
        Parse({"logs/orbit.kss"}).log,
        QString::fromStdString((std::filesystem::current_path() / "logs/orbit.kss").string()));
}

TEST(WindowCommandLine, AnswersHelpAndVersionWhateverElseIsGiven) {
    for (const char* asked : {"--help", "-h"}) {
        const WindowArguments help = Parse({"--bogus", asked, "a.kss", "b.kss"});
        EXPECT_EQ(help.action, Action::PrintHelp) << asked;
        EXPECT_TRUE(help.text.contains("[options] [log]")) << help.text.toStdString();
        EXPECT_TRUE(help.text.contains("--version"));
    }
    for (const char* asked : {"--version", "-v"}) {
        const WindowArguments version = Parse({"-platform", "offscreen", asked});
        EXPECT_EQ(version.action, Action::PrintVersion);
        EXPECT_EQ(version.text, "orvex " ORVEX_VERSION "\n");
    }
}

TEST(WindowCommandLine, RefusesUnknownOptionsAndSeveralLogs) {
    const WindowArguments unknown = Parse({"--no-report", "a.kss"});
    EXPECT_EQ(unknown.action, Action::UsageError);
    EXPECT_TRUE(unknown.text.startsWith("orvex: Unknown option 'no-report'.\n"))
        << unknown.text.toStdString();
    EXPECT_TRUE(unknown.text.contains("[options] [log]"));

    const WindowArguments two = Parse({"a.kss", "b.kss"});
    EXPECT_EQ(two.action, Action::UsageError);
    EXPECT_TRUE(two.text.startsWith("orvex: one log at a time, not 2\n"));
}

// orvex LOG: main hands the parsed log to the window.
using LogOnTheCommandLine = MainWindowTest;

TEST_F(LogOnTheCommandLine, WritesTheSameReportAndExportAsTheDecoder) {
    const std::string log =
        folder.Write("orvex-pass.kss", ReadFile(ORVEX_SAMPLES_DIR "/orvex-pass.kss"));
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunDecodeCommand({log}, format, out, err, false), 0) << err.str();
    const std::string decodedReport = ReadFile(folder / "orvex-pass.tlm");
    const std::string decodedExport = ReadFile(folder / "orvex-pass.csv");
    ASSERT_EQ(std::remove((folder / "orvex-pass.tlm").c_str()), 0);
    ASSERT_EQ(std::remove((folder / "orvex-pass.csv").c_str()), 0);

    window.OpenLogFile(Parse({QString::fromStdString(log)}).log);
    WaitForLoads();
    EXPECT_EQ(ReadFile(folder / "orvex-pass.tlm"), decodedReport);
    EXPECT_EQ(ReadFile(folder / "orvex-pass.csv"), decodedExport);
    EXPECT_EQ(Text(object_name::kLogPath), QString::fromStdString(log));
    EXPECT_FALSE(window.StatusText().contains("Cannot"));
}

TEST_F(LogOnTheCommandLine, TellsWhatTheOpenCommandTells) {
    Open(folder / "gone.kss");
    const QString told = window.StatusText();
    EXPECT_TRUE(told.startsWith("Cannot open the log ")) << told.toStdString();
    OpenLog(TlmFrame(kDecemberAfternoon, 0), "good.kss");
    ASSERT_NE(window.StatusText(), told);
    window.OpenLogFile(Parse({QString::fromStdString(folder / "gone.kss")}).log);
    EXPECT_EQ(window.StatusText(), told);
}

}  // namespace
}  // namespace orvex::test

#include "cli/decode_command.h"
#include "cli/progress_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include "tests/support/child_process.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;

class Cli : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunDecodeCommand(args, format, out, err, false);
    }

    test::TempFolder folder;
    LocaleFormat format{QLocale(QStringLiteral("en_GB"))};
    std::ostringstream out, err;
};

TEST_F(Cli, DecodesEachLogAndPrintsOneLine) {
    const std::string a =
        folder.Write("a.kss", KissFrame(2, test::TlmBody(0, 1)) + KissFrame(1, "x"));
    const std::string b = folder.Write("b.kss", "");
    EXPECT_EQ(Run({a, b}), 0);
    EXPECT_EQ(out.str(),
              a + ": 2 frames read, 2 decoded, 1 TLM records, 0 WOD rows (0 distinct)\n" + b +
                  ": 0 frames read, 0 decoded, 0 TLM records, 0 WOD rows (0 distinct)\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_TRUE(test::FileExists(folder / "a.tlm"));
    EXPECT_TRUE(test::FileExists(folder / "b.csv"));
}

TEST_F(Cli, SwitchesTurnTheOutputsOff) {
    const std::string log = folder.Write("a.kss", KissFrame(1, "x"));
    EXPECT_EQ(Run({"--no-report", "--no-wod", log}), 0);
    EXPECT_FALSE(test::FileExists(folder / "a.tlm"));
    EXPECT_FALSE(test::FileExists(folder / "a.csv"));
    EXPECT_EQ(out.str(), log + ": 1 frames read, 1 decoded, 0 TLM records, 0 WOD rows\n");
}

TEST_F(Cli, RelativePathIsJoinedToTheWorkingFolderAsItStands) {
    folder.Write("a.kss", KissFrame(1, "x"));
    const std::string absolute = folder.Path() + "/./a.kss";
    EXPECT_TRUE(test::PassesInFolder(folder.Path(), [&] {
        EXPECT_EQ(Run({"./a.kss"}), 0);
        EXPECT_EQ(out.str().substr(0, absolute.size() + 1), absolute + ":");
    }));
    // Named from the log's file name, beside it, whatever dots the path holds.
    EXPECT_NE(test::ReadFile(folder.Path() + "/a.tlm").find("File: " + absolute + "\r\n"),
              std::string::npos);
    EXPECT_FALSE(test::FileExists(folder.Path() + "/.tlm"));
}

TEST_F(Cli, MissingLogIsReportedAndTheOthersStillDecoded) {
    const std::string good = folder.Write("good.kss", KissFrame(1, "x"));
    const std::string missing = folder / "missing.kss";
    EXPECT_EQ(Run({missing, good}), 1);
    EXPECT_EQ(err.str(),
              "orvex-decode: Cannot open the log " + missing + ": No such file or directory\n");
    EXPECT_NE(out.str().find(good + ": 1 frames"), std::string::npos);
}

TEST_F(Cli, EveryTlmRecordIsCountedAndNoneIsSaidToBeLost) {
    std::string log;
    for (int i = 0; i < 101; ++i) {
        log += KissFrame(2, test::TlmBody(i, 0));
    }
    const std::string path = folder.Write("many.kss", log);
    EXPECT_EQ(Run({path}), 0);
    EXPECT_EQ(out.str(),
              path + ": 101 frames read, 101 decoded, 101 TLM records, 0 WOD rows (0 distinct)\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(Cli, OutputsGivenAsLogsAreSkippedAndKeepTheirContent) {
    const std::string log =
        folder.Write("orbit.kss", KissFrame(1, "x") + KissFrame(8, test::WodBody({}, {}, {})));
    ASSERT_EQ(Run({log}), 0);
    const std::string report = test::ReadFile(folder / "orbit.tlm");
    const std::string csv = test::ReadFile(folder / "orbit.csv");
    ASSERT_EQ(::symlink("orbit.tlm", (folder / "latest.tlm").c_str()), 0);

    // As the shell expands orbit.* and a link to the report.
    EXPECT_EQ(Run({folder / "latest.tlm", folder / "orbit.csv", log, folder / "orbit.tlm"}), 1);
    EXPECT_EQ(err.str(),
              "orvex-decode: Skipped " + (folder / "latest.tlm") + ": it is the report of " + log +
                  ", also given\n" + "orvex-decode: Skipped " + (folder / "orbit.csv") +
                  ": it is the WOD export of " + log + ", also given\n" + "orvex-decode: Skipped " +
                  (folder / "orbit.tlm") + ": it is the report of " + log + ", also given\n");
    EXPECT_EQ(out.str(),
              log + ": 2 frames read, 2 decoded, 0 TLM records, 3 WOD rows (1 distinct)\n");
    EXPECT_EQ(test::ReadFile(folder / "orbit.tlm"), report);
    EXPECT_EQ(test::ReadFile(folder / "orbit.csv"), csv);
    EXPECT_EQ(test::FolderEntries(folder.Path()),
              (std::vector<std::string>{"latest.tlm", "orbit.csv", "orbit.kss", "orbit.tlm"}));
}

// "orvex-decode orbit.*" after a run with --data: the data files are no logs.
TEST_F(Cli, DataFilesGivenAsLogsAreSkippedAndKeepTheirContent) {
    const std::string log =
        folder.Write("orbit.kss", KissFrame(1, "x") + KissFrame(8, test::WodBody({}, {}, {})));
    ASSERT_EQ(Run({"--data", folder.Path(), log}), 0);
    const std::vector<std::string> names = test::FolderEntries(folder.Path());
    std::map<std::string, std::string> before;
    std::vector<std::string> given;
    for (const std::string& name : names) {
        before[name] = test::ReadFile(folder / name);
        given.push_back(folder / name);
    }
    ASSERT_EQ(names.size(), 7u);

    for (const bool withData : {false, true}) {
        std::vector<std::string> args = given;
        if (withData) {
            args.insert(args.begin(), {"--data", folder.Path()});
        }
        EXPECT_EQ(Run(args), 1);
        EXPECT_EQ(out.str(),
                  log + ": 2 frames read, 2 decoded, 0 TLM records, 3 WOD rows (1 distinct)\n");
        EXPECT_EQ(err.str(), "orvex-decode: Skipped " + (folder / "orbit.csv") +
                                 ": it is the WOD export of " + log + ", also given\n" +
                                 "orvex-decode: Skipped " + (folder / "orbit.frames.csv") +
                                 ": it is the frames data file of " + log + ", also given\n" +
                                 "orvex-decode: Skipped " + (folder / "orbit.status.csv") +
                                 ": it is the status data file of " + log + ", also given\n" +
                                 "orvex-decode: Skipped " + (folder / "orbit.telemetry.csv") +
                                 ": it is the telemetry data file of " + log + ", also given\n" +
                                 "orvex-decode: Skipped " + (folder / "orbit.tlm") +
                                 ": it is the report of " + log + ", also given\n" +
                                 "orvex-decode: Skipped " + (folder / "orbit.wod.csv") +
                                 ": it is the wod data file of " + log + ", also given\n");
        EXPECT_EQ(test::FolderEntries(folder.Path()), names);
        for (const auto& [name, bytes] : before) {
            EXPECT_EQ(test::ReadFile(folder / name), bytes) << name;
        }
    }
}

// Dated logs share their report and WOD export; logs of one name in two
// folders share their data files. The later one is refused, naming both.
TEST_F(Cli, LogsOfOneRunThatShareAnOutputTheLaterIsRefusedNamingBoth) {
    const std::string first = folder.Write("orbit.2026-03-01.kss", KissFrame(1, "first"));
    const std::string second = folder.Write("orbit.2026-03-02.kss", KissFrame(1, "second"));
    EXPECT_EQ(Run({first, second}), 1);
    EXPECT_EQ(out.str(),
              first + ": 1 frames read, 1 decoded, 0 TLM records, 0 WOD rows (0 distinct)\n");
    EXPECT_EQ(err.str(), "orvex-decode: Skipped " + second + ": its report " +
                             (folder / "orbit.tlm") + " would replace that of " + first +
                             ", also given\n");
    EXPECT_NE(test::ReadFile(folder / "orbit.tlm").find("File: " + first + "\r\n"),
              std::string::npos);

    ASSERT_EQ(::mkdir((folder / "a").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder / "b").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder / "out").c_str(), 0755), 0);
    const std::string a = folder.Write("a/orbit.kss", KissFrame(1, "a"));
    const std::string b = folder.Write("b/orbit.kss", KissFrame(1, "b"));
    EXPECT_EQ(Run({"--data", folder / "out", a, b}), 1);
    EXPECT_EQ(err.str(), "orvex-decode: Skipped " + b + ": its telemetry data file " +
                             (folder / "out/orbit.telemetry.csv") + " would replace that of " + a +
                             ", also given\n");
    EXPECT_NE(test::ReadFile(folder / "out/orbit.frames.csv").find(",TIME,"), std::string::npos);
    EXPECT_EQ(test::FolderEntries(folder / "b"), std::vector<std::string>{"orbit.kss"});
}

TEST(ProgressLine, ShareReadNeverPassesAHundredWhenTheLogGrows) {
    EXPECT_EQ(PercentRead(0, 1000), 0u);
    EXPECT_EQ(PercentRead(830, 1000), 83u);
    EXPECT_EQ(PercentRead(1000, 1000), 100u);
    EXPECT_EQ(PercentRead(2040, 1000), 100u);
}

TEST_F(Cli, DataGoesIntoTheFolderInTheFormAskedFor) {
    const std::string log = folder.Write("a.b.kss", KissFrame(1, "x"));
    const std::string data = folder / "data";
    ASSERT_EQ(::mkdir(data.c_str(), 0755), 0);
    EXPECT_EQ(Run({"--no-report", "--no-wod", "--data", data, log}), 0);
    EXPECT_EQ(test::ReadFile(data + "/a.b.frames.csv").substr(0, 7), "offset,");
    EXPECT_TRUE(test::FileExists(data + "/a.b.telemetry.csv"));
    EXPECT_EQ(Run({"--data-format=jsonl", "--data=" + data, log}), 0);
    EXPECT_EQ(test::ReadFile(data + "/a.b.frames.jsonl").substr(0, 16), "{\"type\":\"frame\",");
    EXPECT_EQ(err.str(), "");
}

TEST_F(Cli, BadBytesAreCountedAfterTheSummaryLine) {
    const std::string shortTlm = KissFrame(2, test::TlmBody(0, 1).substr(0, 40));
    const std::string sharedOpening = KissFrame(1, "y").substr(1);
    const std::string cutAtEnd = KissFrame(2, test::TlmBody(0, 1)).substr(0, 90);
    const std::string log = folder.Write(
        "a.kss", "junk" + KissFrame(1, "x") + test::Bytes({0xC0, 0x00, 0xC0}) + KissFrame(14, "") +
                     shortTlm + shortTlm + sharedOpening + cutAtEnd);
    EXPECT_EQ(Run({"--no-report", "--no-wod", log}), 0);
    EXPECT_EQ(out.str(), log +
                             ": 7 frames read, 5 decoded, 3 TLM records, 0 WOD rows\n"
                             "  4 bytes outside frames, 1 frame shorter than 7 bytes, 1 frame of "
                             "unknown type, 2 TLM frames short for their type, 1 frame cut at the "
                             "end of the log, 1 frame with its opening FEND shared or lost\n");
}

TEST_F(Cli, JsonSummaryIsOneObjectPerLog) {
    const std::string a = folder.Write("a.kss", "junk" + KissFrame(2, test::TlmBody(0, 1)) +
                                                    KissFrame(8, std::string(20, '\0')) +
                                                    KissFrame(1, "x").substr(1));
    const std::string b = folder / "missing.kss";
    EXPECT_EQ(Run({"--json", "--no-wod", a, b}), 1);
    EXPECT_EQ(
        out.str(),
        "{\"log\":\"" + a +
            "\",\"frames_read\":3,\"frames\":3,\"tlm_records\":1,"
            "\"wod_rows\":3,\"bad_bytes\":{\"bytes_outside_frames\":4,\"frames_too_short\":0,"
            "\"frames_cut_at_512\":0,\"frames_non_data_command\":0,\"frames_unknown_type\":0,"
            "\"lf_dropped_after_cr\":0,\"dangling_escapes\":0,\"tlm_frames_short_for_type\":0,"
            "\"hws_frames_short_for_type\":0,\"sws_frames_short_for_type\":0,"
            "\"wod_frames_short_for_type\":1,\"topr_frames_short_for_type\":0,"
            "\"frames_cut_at_end_of_log\":0,\"frames_opening_fend_shared_or_lost\":1},"
            "\"report\":\"" +
            (folder / "a.tlm") + "\",\"problems\":[]}\n");
    // A log that cannot be opened has no summary; the message says why.
    EXPECT_NE(err.str().find("Cannot open the log " + b), std::string::npos);
}

TEST_F(Cli, UsageErrorsAndInformation) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_NE(err.str().find("Usage: orvex-decode"), std::string::npos);
    EXPECT_EQ(Run({"--frobnicate", "x.kss"}), 2);
    EXPECT_NE(err.str().find("unknown option --frobnicate"), std::string::npos);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("--no-report"), std::string::npos);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--data"},
          {"--data=", "x.kss"},
          {"--data-format", "csv", "x.kss"},
          {"--data", "d", "--data-format", "xml", "x.kss"}}) {
        EXPECT_EQ(Run(args), 2) << args.front();
        EXPECT_NE(err.str().find("Usage: orvex-decode"), std::string::npos);
    }
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(out.str(), std::string("orvex-decode ") + ORVEX_VERSION + "\n");
}

}  // namespace
}  // namespace orvex

// Ctrl+C, SIGTERM or SIGHUP during a run, and a second Ctrl+C while it
// stops: the load ends at a frame, the report ends with that frame's whole
// block, an earlier export is kept, no temporary file is left, and the user
// is told what was done; the exit code is 128 and the first signal's number.
#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#include "tests/reliability/cli_runner.h"
#include "tests/support/log_builder.h"
#include "tests/support/piped_log.h"
#include "tests/support/temp_folder.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::ReadFile;

std::string TimeFrames(int first, int count) {
    std::string log;
    for (int i = first; i < first + count; ++i) {
        log += KissFrame(1, "frame " + std::to_string(i));
    }
    return log;
}

std::string TimeBlocks(int count) {
    std::string blocks;
    for (int i = 0; i < count; ++i) {
        blocks += "[TIME] frame " + std::to_string(i) + "\r\n\r\n";
    }
    return blocks;
}

struct Signals {
    const char* name;
    std::vector<int> sent;
};

class Interruption : public ::testing::TestWithParam<Signals> {
protected:
    std::string SignalName() const {
        switch (GetParam().sent.front()) {
            case SIGINT:
                return "SIGINT";
            case SIGTERM:
                return "SIGTERM";
            default:
                return "SIGHUP";
        }
    }

    test::TempFolder folder;
};

TEST_P(Interruption, EndsTheLoadAtAFrameWithTheFilesInOrder) {
    folder.Write("orbit.csv", "earlier export");
    const std::string later = folder.Write("later.kss", TimeFrames(0, 1));
    test::PipedLog log(folder / "orbit.kss");
    const std::vector<int> sent = GetParam().sent;
    log.Start({{TimeFrames(0, 50),
                [sent] {
                    for (const int signal : sent) {
                        std::raise(signal);
                    }
                }},
               {TimeFrames(50, 20000), nullptr}});

    const test::CliResult run = test::RunCli({log.Path(), later});
    EXPECT_EQ(run.code, 128 + sent.front());

    const std::string report = ReadFile(folder / "orbit.tlm");
    const std::string body = report.substr(report.find("[TIME]"));
    int frames = 0;
    for (auto at = body.find("[TIME]"); at != std::string::npos; at = body.find("[TIME]", at + 1)) {
        ++frames;
    }
    EXPECT_LT(frames, 20050);
    EXPECT_EQ(body, TimeBlocks(frames));  // ends with a whole block
    EXPECT_EQ(run.out, log.Path() + ": " + std::to_string(frames) + " frames read, " +
                           std::to_string(frames) + " decoded, 0 TLM records, 0 WOD rows\n");
    EXPECT_EQ(run.err, "orvex-decode: Interrupted by " + SignalName() + " after " +
                           std::to_string(frames) + " frames of " + log.Path() + "; the report " +
                           (folder / "orbit.tlm") + " ends with the last one's block; " +
                           "the WOD export " + (folder / "orbit.csv") + " was left as it was\n" +
                           "orvex-decode: " + later + ": not decoded, as " + SignalName() +
                           " stopped the run\n");
    EXPECT_EQ(ReadFile(folder / "orbit.csv"), "earlier export");
    EXPECT_EQ(test::FolderEntries(folder.Path()),
              (std::vector<std::string>{"later.kss", "orbit.csv", "orbit.kss", "orbit.tlm"}));
}

INSTANTIATE_TEST_SUITE_P(Signals, Interruption,
                         ::testing::Values(Signals{"Int", {SIGINT}}, Signals{"Term", {SIGTERM}},
                                           Signals{"Hup", {SIGHUP}},
                                           Signals{"IntTwice", {SIGINT, SIGINT}},
                                           Signals{"TermThenInt", {SIGTERM, SIGINT}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvex

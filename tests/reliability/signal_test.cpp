// orvex-decode stopped by SIGINT, SIGTERM, SIGHUP or two SIGINTs 1 ms
// apart, or killed, at seeded points of each kind of run: a decode with
// every output on, a data export, an archive export and a live session.
// Afterwards every output path is absent, holds its earlier bytes, or holds
// the file a clean run writes, whole; a report that a stop ended holds whole
// blocks up to the stop, as does a live session's report, which grows by
// design. Nothing else is left in the folder, but after a kill the part
// file of one output, which the next run removes.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocale>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "kiss/log_source.h"
#include "load/log_load.h"
#include "outputs/output_file.h"
#include "outputs/output_names.h"
#include "outputs/report_file.h"
#include "tests/reliability/decode_process.h"
#include "tests/support/generated_log.h"
#include "tests/support/kiss_server.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using Files = std::map<std::string, std::string>;  // name: bytes

// How each run is ended; each kind is sent at as many seeded points.
enum class Ending { Interrupt, Terminate, HangUp, TwoInterrupts, Kill };
constexpr Ending kEndings[] = {Ending::Interrupt, Ending::Terminate, Ending::HangUp,
                               Ending::TwoInterrupts, Ending::Kill};

// Twenty seeded points of each ending for each kind of run; a run under the
// sanitizers, which looks for memory faults rather than for what a signal
// leaves, may ask for fewer (ORVEX_SIGNAL_POINTS).
int PointsPerEnding() {
    static const int kPoints = [] {
        const char* asked = std::getenv("ORVEX_SIGNAL_POINTS");
        return asked != nullptr && std::atoi(asked) > 0 ? std::atoi(asked) : 20;
    }();
    return kPoints;
}

// Every name in the folder with its bytes.
Files FilesIn(const std::string& folder) {
    Files files;
    for (const std::string& name : FolderEntries(folder)) {
        files[name] = ReadFile(folder + "/" + name);
    }
    return files;
}

void Send(pid_t child, Ending ending) {
    switch (ending) {
        case Ending::Interrupt:
            ::kill(child, SIGINT);
            break;
        case Ending::Terminate:
            ::kill(child, SIGTERM);
            break;
        case Ending::HangUp:
            ::kill(child, SIGHUP);
            break;
        case Ending::TwoInterrupts:
            ::kill(child, SIGINT);
            std::this_thread::sleep_for(milliseconds(1));
            ::kill(child, SIGINT);
            break;
        case Ending::Kill:
            ::kill(child, SIGKILL);
            break;
    }
}

// The report of `log` with each frame's block written as it is decoded:
// the whole report and its size before the first block and after each.
struct BlockedReport {
    std::string bytes;
    std::set<std::size_t> ends;

    // Whole blocks up to some frame.
    bool HasPrefix(const std::string& report) const {
        return ends.count(report.size()) > 0 && bytes.compare(0, report.size(), report) == 0;
    }
    // The same report of the log at another path: only the header differs.
    BlockedReport NamedFor(const std::string& shownPath, const std::string& ownPath) const {
        const std::size_t own = ReportHeader(ownPath).size();
        const std::string header = ReportHeader(shownPath);
        BlockedReport named{header + bytes.substr(own), {}};
        for (const std::size_t end : ends) {
            named.ends.insert(end - own + header.size());
        }
        return named;
    }
};

class ReportSizes : public FrameHandler {
public:
    ReportSizes(std::string path, std::set<std::size_t>& ends)
        : path_(std::move(path)), ends_(ends) {}
    void OnFrameRead(const Frame& /*frame*/, FrameOutcome /*outcome*/) override {
        struct stat info {};
        if (::stat(path_.c_str(), &info) == 0) {
            ends_.insert(static_cast<std::size_t>(info.st_size));
        }
    }

private:
    std::string path_;
    std::set<std::size_t>& ends_;
};

// Decodes the bytes, named `shownPath` in the report, in a scratch folder;
// the WOD export beside the report in `wodExport`.
BlockedReport DecodeBlockByBlock(const std::string& bytes, const std::string& shownPath,
                                 std::string* wodExport = nullptr) {
    const TempFolder scratch;
    const std::string name = std::filesystem::path(shownPath).filename().string();
    const std::string log = scratch.Write(name, bytes);
    const LocaleFormat format(QLocale::c());
    const OutputOptions options;
    const LoadContext context(format, options);
    Frame frame;
    LogLoad load(log, shownPath, context, frame, LoadMode::Stream);
    BlockedReport report;
    report.ends.insert(ReportHeader(shownPath).size());
    ReportSizes sizes(NameBesideLog(log, kReportExtension), report.ends);
    load.AddFrameHandler(sizes);
    MemoryLogSource source(bytes);
    FileLogSource identity;
    EXPECT_EQ(identity.Open(log), 0);
    load.Run(source, identity.Identity(), nullptr);
    report.bytes = ReadFile(NameBesideLog(log, kReportExtension));
    if (wodExport != nullptr) {
        *wodExport = ReadFile(NameBesideLog(log, kWodExportExtension));
    }
    return report;
}

std::string GeneratedLog(int frames) {
    return synth::test::GenerateLog(
        std::vector<std::string>{"--seed", "23", "--frames", std::to_string(frames)});
}

// One kind of run: what it is given, what it writes, what a clean run wrote.
class SignalledRuns : public ::testing::Test {
protected:
    // Runs with the outputs absent and with earlier ones in their place,
    // sending each ending at seeded points up to a little past the time a
    // clean run takes; `check` then looks at the folder.
    void RunAndEnd(const std::function<std::vector<std::string>(const std::string&)>& args,
                   const std::vector<std::string>& outputs, std::uint32_t seed) {
        const TempFolder reference;
        Prepare(reference.Path(), false);
        const auto started = Clock::now();
        ASSERT_EQ(WaitFor(StartDecode(args(reference.Path()))), 0);
        const auto cleanRun = std::chrono::duration_cast<microseconds>(Clock::now() - started);
        clean = FilesIn(reference.Path());
        for (const std::string& output : outputs) {
            ASSERT_TRUE(clean.count(output)) << output;
        }
        if (clean.count("orbit.tlm")) {
            ASSERT_EQ(clean.at("orbit.tlm"), cleanReport.bytes);  // the two decodes agree
        }

        std::mt19937 random(seed);
        std::uniform_int_distribution<long> point(0, cleanRun.count() * 6 / 5);
        for (const Ending ending : kEndings) {
            for (int index = 0; index < PointsPerEnding(); ++index) {
                const TempFolder folder;
                const bool earlier = index % 2 == 1;
                Prepare(folder.Path(), earlier);
                const Files before = FilesIn(folder.Path());
                const microseconds after(point(random));
                const pid_t child = StartDecode(args(folder.Path()));
                std::this_thread::sleep_for(after);
                Send(child, ending);
                WaitFor(child);
                SCOPED_TRACE(::testing::Message() << "ending " << static_cast<int>(ending)
                                                  << " after " << after.count() << " us");
                ExpectOutputsInOrder(FilesIn(folder.Path()), before, outputs,
                                     ending != Ending::Kill);
            }
        }
    }

    // The log, and for `earlier` a file in the place of every output.
    virtual void Prepare(const std::string& folder, bool earlier) {
        Write(folder + "/orbit.kss", Log());
        if (earlier) {
            for (const auto& [name, bytes] : clean) {
                if (name != "orbit.kss") {
                    Write(folder + "/" + name, "earlier " + name + "\n");
                }
            }
        }
    }

    void ExpectOutputsInOrder(const Files& after, const Files& before,
                              const std::vector<std::string>& outputs, bool stopped) const {
        for (const auto& [name, bytes] : after) {
            const bool output = std::find(outputs.begin(), outputs.end(), name) != outputs.end();
            const auto earlier = before.find(name);
            if (!output) {
                EXPECT_TRUE((earlier != before.end() && earlier->second == bytes) ||
                            (!stopped && IsPartOfAnOutput(name, outputs)))
                    << name << " is left beside the outputs";
                continue;
            }
            const bool whole = bytes == (name == "orbit.tlm" ? cleanReport.bytes : clean.at(name));
            const bool kept = earlier != before.end() && earlier->second == bytes;
            const bool reportUpToTheStop =
                stopped && name == "orbit.tlm" && cleanReport.HasPrefix(bytes);
            EXPECT_TRUE(whole || kept || reportUpToTheStop)
                << name << " holds " << bytes.size() << " bytes";
        }
        for (const auto& [name, bytes] : before) {
            EXPECT_TRUE(after.count(name)) << name << " was removed";
        }
    }

    // A kill between giving an earlier output's replacement its part name
    // and renaming it over the output leaves the part: the next run that
    // writes the output removes it.
    static bool IsPartOfAnOutput(const std::string& name, const std::vector<std::string>& outputs) {
        return std::any_of(outputs.begin(), outputs.end(), [&name](const std::string& output) {
            return name == OutputFile::PartName(output);
        });
    }

    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static const std::string& Log() {
        static const std::string kLog = GeneratedLog(6000);
        return kLog;
    }

    Files clean;
    BlockedReport cleanReport;
};

const std::vector<std::string> kDataFiles = {"orbit.telemetry.csv", "orbit.wod.csv",
                                             "orbit.status.csv", "orbit.frames.csv"};

TEST_F(SignalledRuns, DecodeWithEveryOutput) {
    const TempFolder archive;
    std::vector<std::string> outputs = kDataFiles;
    outputs.insert(outputs.end(), {"orbit.tlm", "orbit.csv"});
    const BlockedReport report = DecodeBlockByBlock(Log(), "orbit.kss");
    int run = 0;
    RunAndEnd(
        [&](const std::string& folder) {
            cleanReport = report.NamedFor(folder + "/orbit.kss", "orbit.kss");
            return std::vector<std::string>{
                "--data", folder, "--archive",
                archive / ("archive" + std::to_string(run++) + ".sqlite"), folder + "/orbit.kss"};
        },
        outputs, 1);
}

TEST_F(SignalledRuns, DataExport) {
    RunAndEnd(
        [](const std::string& folder) {
            return std::vector<std::string>{"--no-report", "--no-wod", "--data", folder,
                                            folder + "/orbit.kss"};
        },
        kDataFiles, 2);
}

class SignalledArchiveExport : public SignalledRuns {
protected:
    void SetUp() override {
        const TempFolder logs;
        Write(logs / "orbit.kss", Log());
        ASSERT_EQ(WaitFor(StartDecode(
                      {"--no-report", "--no-wod", "--archive", archivePath, logs / "orbit.kss"})),
                  0);
    }
    void Prepare(const std::string& folder, bool earlier) override {
        if (earlier) {
            for (const auto& [name, bytes] : clean) {
                Write(folder + "/" + name, "earlier " + name + "\n");
            }
        }
    }

    TempFolder archive;
    const std::string archivePath = archive / "archive.sqlite";
};

TEST_F(SignalledArchiveExport, ExportRange) {
    RunAndEnd(
        [this](const std::string& folder) {
            return std::vector<std::string>{"--archive",  archivePath,  "--export-range",
                                            "2026-01-01", "2026-12-31", "--data",
                                            folder};
        },
        {"archive.telemetry.csv", "archive.wod.csv", "archive.status.csv", "archive.frames.csv"},
        3);
}

// A live session from a local KISS server: the recording and the report
// grow by design; the WOD export is absent or whole for what was recorded.
// The report ends at a whole block, except after SIGKILL: the kernel may
// end a killed process's write at any page of it.
class SignalledLiveSession : public ::testing::Test {
protected:
    static void ExpectSessionInOrder(const Files& files, const std::string& folder,
                                     const std::string& log, bool killed) {
        if (files.empty()) {
            return;  // ended before the first byte
        }
        const auto recording = std::find_if(files.begin(), files.end(), [](const auto& file) {
            return file.first.size() > 4 && file.first.substr(file.first.size() - 4) == ".kss";
        });
        ASSERT_NE(recording, files.end()) << "outputs without a recording";
        const std::string stem = recording->first.substr(0, recording->first.size() - 4);
        EXPECT_EQ(log.compare(0, recording->second.size(), recording->second), 0)
            << "the recording is not what was sent";
        std::string wodExport;
        const BlockedReport report =
            DecodeBlockByBlock(recording->second, folder + "/" + recording->first, &wodExport);
        for (const auto& [name, bytes] : files) {
            if (name == stem + ".tlm") {
                const bool inOrder = killed ? report.bytes.compare(0, bytes.size(), bytes) == 0
                                            : report.HasPrefix(bytes);
                EXPECT_TRUE(inOrder) << name << " holds " << bytes.size();
            } else if (name == stem + ".csv") {
                EXPECT_EQ(bytes, wodExport);
            } else if (name != recording->first) {
                ADD_FAILURE() << name << " is left beside the outputs";
            }
        }
    }

    // Lets a server that still waits for its client go on.
    static void Release(const KissServer& server) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(server.Port());
        static_cast<void>(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address));
        ::close(fd);
    }
};

TEST_F(SignalledLiveSession, FromAKissServer) {
    const std::string log = GeneratedLog(2000);
    const std::vector<KissServer::Chunk> chunks = RandomChunks(log, 4, 3000);
    // How long the stream takes when nothing ends it.
    microseconds stream{};
    {
        const TempFolder folder;
        KissServer server;
        server.Serve({{chunks, {}, true}});
        const auto started = Clock::now();
        const pid_t child = StartDecode({"--kiss-tcp", "127.0.0.1:" + std::to_string(server.Port()),
                                         "--record", folder.Path()});
        while (!server.Done() && !server.Failed()) {
            std::this_thread::sleep_for(milliseconds(2));
        }
        stream = std::chrono::duration_cast<microseconds>(Clock::now() - started);
        ::kill(child, SIGINT);
        EXPECT_EQ(WaitFor(child), 0);
        ExpectSessionInOrder(FilesIn(folder.Path()), folder.Path(), log, false);
    }
    std::mt19937 random(5);
    std::uniform_int_distribution<long> point(0, stream.count() * 6 / 5);
    for (const Ending ending : kEndings) {
        for (int index = 0; index < PointsPerEnding(); ++index) {
            const TempFolder folder;
            KissServer server;
            server.Serve({{chunks, {}, true}});
            const microseconds after(point(random));
            const pid_t child =
                StartDecode({"--kiss-tcp", "127.0.0.1:" + std::to_string(server.Port()), "--record",
                             folder.Path()});
            std::this_thread::sleep_for(after);
            Send(child, ending);
            WaitFor(child);
            Release(server);
            SCOPED_TRACE(::testing::Message() << "ending " << static_cast<int>(ending) << " after "
                                              << after.count() << " us");
            ExpectSessionInOrder(FilesIn(folder.Path()), folder.Path(), log,
                                 ending == Ending::Kill);
        }
    }
}

}  // namespace
}  // namespace orvex::test

// orvex-decode on a stream: what it accepts, and a whole session from a
// KISS TCP port and from standard input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLocale>
#include <QSqlQuery>
#include <QVariant>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <thread>

#include "archive/archive_database.h"
#include "cli/decode_command.h"
#include "cli/live_input.h"
#include "tests/live/live_session.h"
#include "tests/support/generated_log.h"
#include "tests/support/kiss_server.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"
#include "text/locale_format.h"

namespace orvex::test {
namespace {

TEST(LiveInput, ReadsHostsPortsDevicesAndBaudRatesWithTheirUsualDefaults) {
    LiveInput input;
    ASSERT_TRUE(ParseHostAndPort("tnc.local:8100", input));
    EXPECT_EQ(input.host, "tnc.local");
    EXPECT_EQ(input.port, 8100);
    ASSERT_TRUE(ParseHostAndPort("tnc.local", input));
    EXPECT_EQ(input.port, 8001);
    ASSERT_TRUE(ParseHostAndPort(":9000", input));
    EXPECT_EQ(input.host, "localhost");
    ASSERT_TRUE(ParseHostAndPort("[::1]:8001", input));
    EXPECT_EQ(input.host, "::1");
    ASSERT_TRUE(ParseHostAndPort("[fe80::1]", input));
    EXPECT_EQ(input.host, "fe80::1");
    EXPECT_EQ(input.port, 8001);
    for (const char* bad :
         {"host:", "host:0", "host:65536", "host:80x", "[::1:8001", "::1", "fe80::1:8001", "[::1]x",
          "[::1]:", "[::1]8001", "[tnc.local]:8001", "a:b:c", "[]:8001"}) {
        EXPECT_FALSE(ParseHostAndPort(bad, input)) << bad;
    }

    ASSERT_TRUE(ParseDeviceAndBaudRate("/dev/ttyUSB0:19200", input));
    EXPECT_EQ(input.device, "/dev/ttyUSB0");
    EXPECT_EQ(input.baudRate, 19200);
    ASSERT_TRUE(ParseDeviceAndBaudRate("/dev/ttyS1", input));
    EXPECT_EQ(input.baudRate, 9600);
    for (const char* bad : {":9600", "/dev/ttyS1:", "/dev/ttyS1:fast", "/dev/ttyS1:-5"}) {
        EXPECT_FALSE(ParseDeviceAndBaudRate(bad, input)) << bad;
    }
}

// The size of the recording (the one log) in `folder`; 0 before it exists.
std::uint64_t RecordedBytes(const std::string& folder) {
    for (const std::string& name : FolderEntries(folder)) {
        if (name.ends_with(".kss")) {
            std::error_code error;
            const auto size = std::filesystem::file_size(folder + "/" + name, error);
            return error ? 0 : size;
        }
    }
    return 0;
}

class LiveCli : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunDecodeCommand(args, format, out, err, false);
    }
    // The first line of the error output.
    std::string FirstErrorLine() const { return err.str().substr(0, err.str().find('\n')); }

    TempFolder folder;
    LocaleFormat format{QLocale(QStringLiteral("en_GB"))};
    std::ostringstream out, err;
};

TEST_F(LiveCli, RefusesStreamsThatCannotBeDecodedOrRecordedAsAsked) {
    const std::string log = folder.Write("a.kss", "");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"-"},
         "standard input has no log to write beside: give --record DIR or --record-file FILE"},
        {{"-", log, "--record", folder.Path()},
         "- (standard input) cannot be decoded with other logs"},
        {{"--kiss-tcp", "host:port"}, "cannot read --kiss-tcp host:port (HOST:PORT)"},
        {{"--kiss-tcp", "::1"},
         "cannot read --kiss-tcp ::1 (an IPv6 address goes in brackets: [::1] or [::1]:PORT)"},
        {{"--serial", "/dev/ttyS0:fast"}, "cannot read --serial /dev/ttyS0:fast (DEVICE[:BAUD])"},
        {{"--kiss-tcp", "h:1", "--serial", "/dev/ttyS0"},
         "only one stream can be decoded at a time"},
        {{"--kiss-tcp", "h:1", log}, "a stream and logs cannot be decoded together"},
        {{"--record", folder.Path(), log}, "--record and --record-file need a stream to record"},
        {{"-", "--record", "x", "--record-file", "y"},
         "--record and --record-file cannot both be given"},
        {{"--kiss-tcp"}, "--kiss-tcp needs a value"},
    };
    for (const auto& [args, message] : refused) {
        EXPECT_EQ(Run(args), 2) << args.front();
        EXPECT_EQ(FirstErrorLine(), "orvex-decode: " + message);
    }
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"a.kss"});
}

TEST_F(LiveCli, AFolderThatCannotHoldTheRecordingIsToldBeforeConnecting) {
    EXPECT_EQ(Run({"--kiss-tcp", "127.0.0.1:1", "--record", folder / "missing"}), 1);
    EXPECT_EQ(err.str(), "orvex-decode: Cannot record the log " + (folder / "missing") +
                             ": No such file or directory\n");
}

TEST_F(LiveCli, DecodesAKissTcpPortUntilSigintThenWritesTheExportAndTheSummary) {
    const std::string log =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "21", "--frames", "150"});
    KissServer server;
    server.Serve({{RandomChunks(log, 21), {}, true}});
    // The stop comes once every byte has been received: the recording holds
    // each byte before the decoder reads it.
    std::vector<std::string> whileLive;
    std::thread stopper([&] {
        WaitUntil([&] { return server.Failed() || RecordedBytes(folder.Path()) == log.size(); });
        whileLive = FolderEntries(folder.Path());
        std::raise(SIGINT);
    });

    const int code = Run(
        {"--kiss-tcp", "127.0.0.1:" + std::to_string(server.Port()), "--record", folder.Path()});
    stopper.join();

    EXPECT_EQ(code, 0) << err.str();
    // Only the two files that grow by design show while the stream runs.
    ASSERT_EQ(whileLive.size(), 2U);
    EXPECT_EQ(whileLive[0].substr(whileLive[0].size() - 4), ".kss");
    EXPECT_EQ(whileLive[1].substr(whileLive[1].size() - 4), ".tlm");
    const std::vector<std::string> entries = FolderEntries(folder.Path());
    ASSERT_EQ(entries.size(), 3U);  // the WOD export, the recording, the report
    const std::string recorded = folder / entries[1];
    EXPECT_EQ(ReadFile(recorded), log);
    EXPECT_EQ(out.str().substr(0, recorded.size() + 6), recorded + ": 150 ");
    EXPECT_NE(err.str().find("orvex-decode: connected to 127.0.0.1:"), std::string::npos);
    EXPECT_NE(err.str().find("recorded " + std::to_string(log.size()) + " bytes into " + recorded),
              std::string::npos);

    const std::string liveReport = ReadFile(folder / entries[2]);
    const std::string liveExport = ReadFile(folder / entries[0]);
    EXPECT_EQ(Run({recorded}), 0);
    EXPECT_EQ(ReadFile(folder / entries[2]), liveReport);
    EXPECT_EQ(ReadFile(folder / entries[0]), liveExport);
}

// Standard input for the length of a test.
class StandardInputFrom {
public:
    explicit StandardInputFrom(int fd) : saved_(::dup(STDIN_FILENO)) { ::dup2(fd, STDIN_FILENO); }
    ~StandardInputFrom() {
        ::dup2(saved_, STDIN_FILENO);
        ::close(saved_);
    }
    StandardInputFrom(const StandardInputFrom&) = delete;
    StandardInputFrom& operator=(const StandardInputFrom&) = delete;

private:
    int saved_;
};

// A TNC that is connected but sends nothing until Ctrl+C, and a standard
// input that ends at once: no recording, no report, no export.
TEST_F(LiveCli, AStreamThatSentNothingLeavesNothing) {
    KissServer server;
    server.Serve({{{}, {}, true}});
    std::thread stopper([&] {
        WaitUntil([&] { return server.Done() || server.Failed(); });
        std::raise(SIGINT);
    });
    EXPECT_EQ(Run({"--kiss-tcp", "127.0.0.1:" + std::to_string(server.Port()), "--record",
                   folder.Path()}),
              1);
    stopper.join();
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(
        err.str().find("orvex-decode: nothing received, so nothing was recorded or written\n"),
        std::string::npos)
        << err.str();
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{});

    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe2(pipe.data(), O_CLOEXEC), 0);
    ::close(pipe[1]);
    {
        const StandardInputFrom input(pipe[0]);
        EXPECT_EQ(Run({"-", "--record-file", folder / "pass.kss"}), 1);
    }
    ::close(pipe[0]);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{});
}

// A received stream is archived as the log it was recorded into: decoding
// that log again afterwards adds nothing.
// The hearings an archive holds, read on a connection of the calling thread.
std::int64_t HearingsIn(const std::string& archive) {
    ArchiveDatabase database(ParseArchiveLocation(archive));
    if (!database.Open()) {
        return -1;
    }
    QSqlQuery query(database.Connection());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM receptions")) || !query.next()) {
        return -1;
    }
    return query.value(0).toLongLong();
}

TEST_F(LiveCli, AStreamGoesToTheArchiveAsItArrivesAndAsItsRecordedLog) {
    const std::string log =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "8", "--frames", "90"});
    KissServer server;
    server.Serve({{RandomChunks(log, 8), {}, true}});
    const TempFolder archiveFolder;
    const std::string archive = archiveFolder / "archive.sqlite";
    const std::string recorded = folder / "pass.kss";
    // Every frame is in the archive while the stream is still open.
    std::int64_t heardWhileLive = 0;
    std::thread stopper([&] {
        WaitUntil([&] {
            heardWhileLive = server.Done() ? HearingsIn(archive) : 0;
            return server.Failed() || heardWhileLive >= 90;
        });
        std::raise(SIGINT);
    });

    const int code = Run({"--kiss-tcp", "127.0.0.1:" + std::to_string(server.Port()),
                          "--record-file", recorded, "--archive", archive});
    stopper.join();

    EXPECT_EQ(code, 0) << err.str();
    EXPECT_EQ(heardWhileLive, 90);
    // The generated log repeats a frame: it is stored once, heard twice.
    EXPECT_NE(out.str().find("\n  archive: 90 frames, 89 new, 90 new hearings\n"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(Run({"--archive", archive, recorded}), 0) << err.str();
    EXPECT_NE(out.str().find("\n  archive: 90 frames, 0 new, 0 new hearings\n"), std::string::npos)
        << out.str();
}

TEST_F(LiveCli, DecodesStandardInputToItsEndIntoTheFileNamed) {
    const std::string log =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "5", "--frames", "60"});
    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe2(pipe.data(), O_CLOEXEC), 0);
    std::thread tnc([&] {
        for (const KissServer::Chunk& chunk : RandomChunks(log, 5, 400)) {
            EXPECT_EQ(::write(pipe[1], chunk.bytes.data(), chunk.bytes.size()),
                      static_cast<ssize_t>(chunk.bytes.size()));
            std::this_thread::sleep_for(chunk.pauseAfter);
        }
        ::close(pipe[1]);
    });
    int code = 0;
    {
        const StandardInputFrom input(pipe[0]);
        code = Run({"-", "--record-file", folder / "pass.kss"});
    }
    tnc.join();
    ::close(pipe[0]);

    EXPECT_EQ(code, 0) << err.str();
    EXPECT_EQ(ReadFile(folder / "pass.kss"), log);
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::vector<std::string>{"pass.csv", "pass.kss", "pass.tlm"}));
    EXPECT_NE(err.str().find("orvex-decode: standard input ended\n"), std::string::npos);
}

}  // namespace
}  // namespace orvex::test

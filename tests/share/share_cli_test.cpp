// orvex-decode --share, run as the user runs it: a log with reception times,
// one without, a stream from gr-satellites' KISS server, and a run killed
// while frames wait.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <memory>

#include "tests/reliability/cli_runner.h"
#include "tests/support/http_test_server.h"
#include "tests/support/kiss_server.h"
#include "tests/support/log_builder.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {
namespace {

using std::chrono::milliseconds;

constexpr std::uint64_t kNoonMs = 1772366400000;  // 2026-03-01 12:00:00 UTC

// The text frame `index` as gr-satellites records it, its timestamp first.
std::string TimedFrame(int index) {
    return TimestampFrame(kNoonMs + static_cast<std::uint64_t>(index) * 1500) +
           KissFrame(6, "line " + std::to_string(index));
}
// Its bytes after the command byte, in hex, as a post carries them.
std::string FrameHex(int index) {
    const std::string bytes = std::string(4, '\0') + '\x06' + "line " + std::to_string(index);
    std::string hex;
    for (const unsigned char byte : bytes) {
        hex += "0123456789ABCDEF"[byte >> 4];
        hex += "0123456789ABCDEF"[byte & 15];
    }
    return hex;
}

class ShareCli : public ::testing::Test {
protected:
    std::vector<std::string> Sharing(std::vector<std::string> args) const {
        for (const char* option : {"--share", "--norad-id", "99999", "--callsign", "DL1ABC",
                                   "--location", "52.5,13.4"}) {
            args.emplace_back(option);
        }
        args.insert(args.end() - 6, server.Url());
        return args;
    }
    std::unique_ptr<QProcess> Start(const std::vector<std::string>& args) const {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"),
                           QString::fromStdString(dataHome.Path()));
        process->setProcessEnvironment(environment);
        QStringList arguments;
        for (const std::string& arg : args) {
            arguments << QString::fromStdString(arg);
        }
        process->start(QStringLiteral(ORVEX_DECODE_PATH), arguments);
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }
    CliResult Run(const std::vector<std::string>& args) const {
        const auto process = Start(args);
        CliResult result;
        if (!process->waitForFinished(60000)) {
            process->kill();
            process->waitForFinished();
            return result;
        }
        result.code = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        result.out = process->readAllStandardOutput().toStdString();
        result.err = process->readAllStandardError().toStdString();
        return result;
    }
    std::vector<std::string> TakenFrames() const {
        std::vector<std::string> frames;
        for (const ReceivedPost& post : server.Taken()) {
            frames.push_back(post.Field("frame"));
        }
        return frames;
    }

    TempFolder folder;
    TempFolder dataHome;
    HttpTestServer server;
};

TEST_F(ShareCli, RefusesToShareWithoutTheSatellitesNumberOrTheStationAndNamesNoSecret) {
    const std::string log = folder.Write("a.kss", "");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--share", "https://db.satnogs.org/api/telemetry/", "--callsign", "DL1ABC", "--location",
          "52,13", log},
         "--share needs --norad-id N, the satellite's NORAD catalogue number: no frame is "
         "shared without it"},
        {{"--share", "https://db.satnogs.org/api/telemetry/", "--norad-id", "99999", log},
         "--share needs the station: --callsign CALL and --location LAT,LON"},
        {{"--location", "52,13", log}, "--callsign, --location and --norad-id need --share URL"},
        {{"--share", "ftp://ann:pw@example.org/x?key=abc", log},
         "cannot share with ftp://example.org/x: not an http or https URL"},
        {{"--norad-id", "0", log}, "cannot read --norad-id 0 (a number from 1 to 999999999)"},
        {{"--location", "52N,13E", log},
         "cannot read --location 52N,13E (LAT,LON in decimal degrees, south and west negative)"},
        {{"--callsign", "DL1 ABC", log},
         "cannot read --callsign DL1 ABC (at most 20 characters, no blank)"},
    };
    for (const auto& [args, message] : refused) {
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.code, 2) << message;
        EXPECT_EQ(result.err.substr(0, result.err.find('\n')), "orvex-decode: " + message);
    }
    EXPECT_EQ(FolderEntries(dataHome.Path()), std::vector<std::string>{});
}

TEST_F(ShareCli, SharesALogsFramesWithTheirTimestampsAndSaysWhyALogWithoutIsNot) {
    server.Listen();
    // The third frame holds CR LF, whose LF the decode drops; its post keeps it.
    const std::string timed =
        folder.Write("gr.kss", TimedFrame(0) + TimedFrame(1) + TimestampFrame(kNoonMs + 3000) +
                                   KissFrame(6, "CR\r\nLF") + KissFrame(1, "no time"));
    const std::string plain = folder.Write("plain.kss", KissFrame(6, "no time either"));
    const CliResult result = Run(Sharing({"--json", timed, plain}));

    EXPECT_EQ(result.code, 1) << result.err;  // not every frame could be shared
    ASSERT_EQ(server.Taken().size(), 3u);
    EXPECT_EQ(TakenFrames()[0], FrameHex(0));
    EXPECT_EQ(server.Taken()[1].Field("timestamp"), "2026-03-01T12:00:01.500Z");
    EXPECT_EQ(TakenFrames()[2],
              "0000000006"
              "43520D0A4C46");
    EXPECT_EQ(server.Taken()[2].Field("timestamp"), "2026-03-01T12:00:03.000Z");
    EXPECT_EQ(server.Taken()[2].Field("latitude"), "52.5000N");

    EXPECT_NE(result.err.find("orvex-decode: " + timed +
                              ": 1 frames not shared: no timestamp frame came before them\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("orvex-decode: " + plain +
                              ": not shared: the log holds no reception times. A log can be "
                              "shared only where a timestamp frame (KISS command 9, as "
                              "gr-satellites records) comes before each frame; a stream is "
                              "shared as it arrives\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.out.find("\"shared\":{\"frames\":3,\"without_reception_time\":1}"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"shared\":{\"frames\":0,\"without_reception_time\":1}"),
              std::string::npos);
    EXPECT_EQ(result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1),
              "{\"share\":[{\"server\":\"" + server.Url() +
                  "\",\"taken\":3,\"waiting\":0,\"set_aside\":0}]}\n");
}

TEST_F(ShareCli, KilledWhileFramesWaitTheNextRunDeliversTheRestInOrder) {
    server.AnswerAfter(milliseconds(200));
    server.Listen();
    std::string log;
    for (int index = 0; index < 12; ++index) {
        log += TimedFrame(index);
    }
    const std::vector<std::string> args = Sharing({folder.Write("pass.kss", log)});

    const auto first = Start(args);
    ASSERT_TRUE(HttpTestServer::WaitFor([&] { return server.Taken().size() >= 3; }));
    first->kill();  // SIGKILL: no chance to tidy up
    ASSERT_TRUE(first->waitForFinished());
    const std::size_t takenBeforeTheKill = server.Taken().size();
    ASSERT_LT(takenBeforeTheKill, 12u);

    const CliResult second = Run(args);
    EXPECT_EQ(second.code, 0) << second.err;
    std::vector<std::string> expected, distinct;
    for (int index = 0; index < 12; ++index) {
        expected.push_back(FrameHex(index));
    }
    for (const std::string& frame : TakenFrames()) {
        if (distinct.empty() || distinct.back() != frame) {
            distinct.push_back(frame);
        }
    }
    EXPECT_EQ(distinct, expected);
    // Twice only the frame whose answer came just before the kill.
    EXPECT_LE(TakenFrames().size(), 13u);
    EXPECT_NE(second.out.find("taken, 0 waiting"), std::string::npos) << second.out;
}

TEST_F(ShareCli, AGrSatellitesStreamSharesEachFrameWithTheTimestampItCarried) {
    server.Listen();
    KissServer tnc;
    tnc.Serve({{{{TimedFrame(0) + TimedFrame(1), milliseconds(0)},
                 {KissFrame(6, "line 2"), milliseconds(0)}},
                {},
                true}});
    const auto before = std::chrono::system_clock::now();
    const auto decode = Start(Sharing(
        {"--kiss-tcp", "127.0.0.1:" + std::to_string(tnc.Port()), "--record", folder.Path()}));
    ASSERT_TRUE(HttpTestServer::WaitFor([&] { return server.Taken().size() == 3; }));
    const auto after = std::chrono::system_clock::now();
    ::kill(static_cast<pid_t>(decode->processId()), SIGINT);
    ASSERT_TRUE(decode->waitForFinished(20000));
    EXPECT_EQ(decode->exitCode(), 0) << decode->readAllStandardError().toStdString();

    EXPECT_EQ(TakenFrames(), (std::vector<std::string>{FrameHex(0), FrameHex(1), FrameHex(2)}));
    EXPECT_EQ(server.Taken()[0].Field("timestamp"), "2026-03-01T12:00:00.000Z");
    EXPECT_EQ(server.Taken()[1].Field("timestamp"), "2026-03-01T12:00:01.500Z");
    // The frame without one was stamped when it arrived.
    const auto stamp = [](std::chrono::system_clock::time_point time) {
        const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", std::gmtime(&seconds));
        return std::string(text);
    };
    const std::string arrived = server.Taken()[2].Field("timestamp");
    EXPECT_GE(arrived.substr(0, 19), stamp(before));
    EXPECT_LE(arrived.substr(0, 19), stamp(after));
}

TEST_F(ShareCli, AServerThatStopsTakingFramesIsSaidWhileTheStreamGoesOn) {
    server.AnswerWith([](const ReceivedPost&) { return 503; });
    server.Listen();
    KissServer tnc;
    tnc.Serve({{{{TimedFrame(0), milliseconds(0)}}, {}, true}});
    const auto decode = Start(Sharing(
        {"--kiss-tcp", "127.0.0.1:" + std::to_string(tnc.Port()), "--record", folder.Path()}));
    std::string err;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (err.find("did not take a frame") == std::string::npos &&
           std::chrono::steady_clock::now() < until && decode->state() == QProcess::Running) {
        decode->waitForReadyRead(100);
        err += decode->readAllStandardError().toStdString();
    }
    EXPECT_EQ(decode->state(), QProcess::Running) << err;
    EXPECT_NE(err.find("orvex-decode: " + server.Url() + " did not take a frame: "),
              std::string::npos)
        << err;
    ::kill(static_cast<pid_t>(decode->processId()), SIGINT);
    ASSERT_TRUE(decode->waitForFinished(20000));
}

}  // namespace
}  // namespace orvex::test

// The recorded log's name and place, that it never replaces a file, and
// that a recording the disk cannot hold is said at once.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QProcess>
#include <QRegularExpression>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>

#include "live/recording.h"
#include "tests/support/child_process.h"
#include "tests/support/generated_log.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {
namespace {

// 2026-12-07 16:05:12 UTC
constexpr std::time_t kBegan = 1796659512;

TEST(Recording, IsNamedByTheUtcSecondTheStreamBeganAndNeverReplacesARecording) {
    TempFolder folder;
    EXPECT_EQ(Recording::NameFor(kBegan), "orvex-20261207-160512.kss");
    folder.Write("orvex-20261207-160512.kss", "earlier");

    Recording second;
    ASSERT_EQ(second.CreateIn(folder.Path(), kBegan), 0);
    Recording third;
    ASSERT_EQ(third.CreateIn(folder.Path(), kBegan), 0);

    EXPECT_EQ(second.Path(), folder / "orvex-20261207-160512-2.kss");
    EXPECT_EQ(third.Path(), folder / "orvex-20261207-160512-3.kss");
    EXPECT_EQ(ReadFile(folder / "orvex-20261207-160512.kss"), "earlier");
}

TEST(Recording, WritesEveryBlockThroughAtOnce) {
    TempFolder folder;
    Recording recording;
    ASSERT_EQ(recording.Create(folder / "pass.kss"), 0);
    const std::uint8_t bytes[] = {0xC0, 0x00, 0x41, 0xC0};
    recording.Append(bytes, 3);
    EXPECT_EQ(ReadFile(folder / "pass.kss"), std::string("\xC0\x00\x41", 3));
    recording.Append(bytes + 3, 1);
    EXPECT_EQ(recording.BytesRecorded(), 4U);
    EXPECT_EQ(recording.Error(), 0);
}

TEST(Recording, AGivenNameIsMadeAbsoluteAndAnExistingFileIsRefused) {
    TempFolder folder;
    folder.Write("kept.kss", "earlier");
    EXPECT_TRUE(PassesInFolder(folder.Path(), [&] {
        Recording fresh;
        EXPECT_EQ(fresh.Create("fresh.kss"), 0);
        EXPECT_EQ(fresh.Path(), folder / "fresh.kss");
        Recording existing;
        EXPECT_EQ(existing.Create("kept.kss"), EEXIST);
        Recording nowhere;
        EXPECT_EQ(nowhere.CreateIn("no-such-folder", kBegan), ENOENT);
    }));
    EXPECT_TRUE(FileExists(folder / "fresh.kss"));
    EXPECT_EQ(ReadFile(folder / "kept.kss"), "earlier");
}

constexpr std::uint64_t kSmallDisk = std::uint64_t{256} * 1024;

// orvex-decode recording its standard input into a folder that fills up: it
// says so while the stream still flows, decodes the stream to its end, and
// its summary tells what the recording holds of what was received.
TEST(Recording, ThatTheDiskCannotHoldIsSaidAtOnceAndTheStreamStillDecoded) {
    const std::string log =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "9", "--size", "1M"});
    const std::size_t frames = synth::test::FramesOf(log).size();
    TempFolder folder;
    const SmallDisk disk(folder / "full", kSmallDisk);
    const std::string recorded = folder / "full/pass.kss";
    QProcess decode;
    if (!disk.Mounted()) {
        // No mount here: each file of the run is limited to the same size.
        decode.setChildProcessModifier([] {
            const rlimit limit{kSmallDisk, kSmallDisk};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
        });
    }
    decode.start(
        QStringLiteral(ORVEX_DECODE_PATH),
        {QStringLiteral("-"), QStringLiteral("--record-file"), QString::fromStdString(recorded)});
    ASSERT_TRUE(decode.waitForStarted());
    decode.setReadChannel(QProcess::StandardError);
    decode.write(log.data(), static_cast<qint64>(log.size()));

    // The stream stays open until the failure is said: told only at its end,
    // it would never be.
    const std::string said = "Cannot record the log " + recorded;
    std::string err;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (err.find(said) == std::string::npos && std::chrono::steady_clock::now() < deadline &&
           decode.state() == QProcess::Running) {
        decode.waitForBytesWritten(20);
        decode.waitForReadyRead(20);
        err += decode.readAllStandardError().toStdString();
    }
    ASSERT_NE(err.find(said + ": "), std::string::npos) << err;
    EXPECT_EQ(decode.state(), QProcess::Running);
    while (decode.bytesToWrite() > 0 && decode.waitForBytesWritten(30000)) {
    }
    decode.closeWriteChannel();
    ASSERT_TRUE(decode.waitForFinished(60000));
    err += decode.readAllStandardError().toStdString();
    const std::string out = decode.readAllStandardOutput().toStdString();

    EXPECT_EQ(decode.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(decode.exitCode(), 1);
    EXPECT_LT(err.find(said), err.find("standard input ended")) << err;
    EXPECT_EQ(out.substr(0, out.find(" frames")), recorded + ": " + std::to_string(frames));
    // Qt's expressions rather than <regex>, whose inlined code GCC 12 warns
    // of (maybe-uninitialized) in the sanitizers' build.
    const QRegularExpressionMatch summary =
        QRegularExpression(QStringLiteral("recorded ([0-9]+) of the ([0-9]+) bytes received into "))
            .match(QString::fromStdString(err));
    ASSERT_TRUE(summary.hasMatch()) << err;
    const std::string holds = ReadFile(recorded);
    EXPECT_EQ(summary.captured(1).toStdString(), std::to_string(holds.size()));
    EXPECT_EQ(summary.captured(2).toStdString(), std::to_string(log.size()));
    EXPECT_LE(holds.size(), kSmallDisk);
    EXPECT_EQ(holds, log.substr(0, holds.size()));
}

}  // namespace
}  // namespace orvex::test

// The reception time each frame of a load carries: a gr-satellites timestamp
// frame's for the frame after it, and in a live stream the time the frame's
// last byte arrived.
#include <gtest/gtest.h>

#include <QLocale>
#include <chrono>

#include "frames/frame_layout.h"
#include "load/log_load.h"
#include "tests/support/log_builder.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {
namespace {

// The reception time of every data frame, in order.
class DataFrameTimes : public FrameHandler {
public:
    void OnFrameRead(const Frame& frame, FrameOutcome /*outcome*/) override {
        if (frame.length > layout::kCommand && frame[layout::kCommand] == 0) {
            times.push_back(frame.receivedMs);
        }
    }
    std::vector<std::optional<std::int64_t>> times;
};

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A stream that hands on its blocks one read at a time, each at a later
// millisecond than the one before, and notes when it returned each.
class BlockStream : public LogSource {
public:
    explicit BlockStream(std::vector<std::string> blocks) : blocks_(std::move(blocks)) {}
    Result Read(std::uint8_t* buffer, std::size_t /*capacity*/) override {
        if (next_ == blocks_.size()) {
            return {};
        }
        while (!returnedAt.empty() && NowMs() <= returnedAt.back() + 2) {
        }
        const std::string& block = blocks_[next_++];
        std::copy(block.begin(), block.end(), buffer);
        returnedAt.push_back(NowMs());
        return {block.size(), 0};
    }
    std::vector<std::int64_t> returnedAt;

private:
    std::vector<std::string> blocks_;
    std::size_t next_ = 0;
};

class ReceptionTimes : public ::testing::Test {
protected:
    LoadOutcome Load(LogSource& source, const std::string& folderPath, bool live = false) {
        LogLoad load(folderPath + "/orbit.kss", context, frame,
                     live ? LoadMode::Stream : LoadMode::Log);
        load.AddFrameHandler(seen);
        return load.Run(source, {}, nullptr);
    }
    LoadOutcome Load(const std::string& log) {
        MemoryLogSource source(log);
        return Load(source, folder.Path());
    }

    TempFolder folder;
    LocaleFormat format{QLocale(QStringLiteral("en_GB"))};
    OutputOptions options;
    LoadContext context{format, options};
    Frame frame;
    DataFrameTimes seen;
};

TEST_F(ReceptionTimes, ATimestampFrameTimesTheFrameAfterItAndIsNoBadFrame) {
    // Its bytes hold CR LF, whose LF the reader drops, and both escapes.
    constexpr std::uint64_t kAwkward = 0x00000190'0D0AC0DB;
    const std::string log = TimestampFrame(1772366400250) + KissFrame(1, "first") +
                            KissFrame(1, "untimed") + TimestampFrame(1772366401000) +
                            TimestampFrame(1772366402000) + KissFrame(1, "third") +
                            TimestampFrame(kAwkward) + KissFrame(1, "fourth") +
                            Bytes({0xC0, 0x09, 1, 2, 3, 4, 5, 6, 0xC0}) + KissFrame(1, "fifth");
    const LoadOutcome outcome = Load(log);

    const std::vector<std::optional<std::int64_t>> expected = {
        1772366400250, std::nullopt, 1772366402000, static_cast<std::int64_t>(kAwkward),
        std::nullopt};
    EXPECT_EQ(seen.times, expected);
    EXPECT_EQ(outcome.framesDecoded, 5u);
    // Only the command 9 frame of six bytes, which is no time, is counted.
    EXPECT_EQ(outcome.account.framesNotData, 1u);
    EXPECT_EQ(outcome.account.read.lineFeedsDropped, 1u);
}

TEST_F(ReceptionTimes, TimestampFramesLeaveTheReportAndTheWodExportAsTheyWere) {
    const std::string frames[] = {
        KissFrame(2, TlmBody(1772366400, 7)),
        KissFrame(8, WodBody({1772366300, 1, {}}, {1772366360, 2, {}}, {1772366420, 3, {}})),
        KissFrame(6, "hello")};
    std::string plain, timed;
    std::uint64_t time = 1772366400000;
    for (const std::string& kiss : frames) {
        plain += kiss;
        timed += TimestampFrame(time += 1000) + kiss;
    }
    Load(plain);
    const std::string report = ReadFile(folder / "orbit.tlm");
    const std::string wodExport = ReadFile(folder / "orbit.csv");
    const TempFolder other;
    MemoryLogSource source(timed);
    Load(source, other.Path());

    EXPECT_EQ(ReadFile(other / "orbit.csv"), wodExport);
    std::string timedReport = ReadFile(other / "orbit.tlm");
    const std::size_t named = timedReport.find(other.Path());  // in the line naming the log
    ASSERT_NE(named, std::string::npos);
    EXPECT_EQ(timedReport.replace(named, other.Path().size(), folder.Path()), report);
}

TEST_F(ReceptionTimes, ALiveFrameWithoutATimestampGetsTheTimeItsLastByteArrived) {
    const std::string second = KissFrame(1, "second");
    BlockStream stream({KissFrame(1, "first") + second.substr(0, 5),
                        second.substr(5) + TimestampFrame(1772366400250) + KissFrame(1, "third")});
    Load(stream, folder.Path(), true);

    ASSERT_EQ(seen.times.size(), 3u);
    ASSERT_TRUE(seen.times[0] && seen.times[1]);
    EXPECT_GE(*seen.times[0], stream.returnedAt[0]);
    EXPECT_LT(*seen.times[0], stream.returnedAt[1]);
    EXPECT_GE(*seen.times[1], stream.returnedAt[1]);
    EXPECT_EQ(seen.times[2], 1772366400250);
}

}  // namespace
}  // namespace orvex::test

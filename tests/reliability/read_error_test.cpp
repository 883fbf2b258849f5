// A read that fails in the middle of a log ends the load in order: the
// frames read so far are decoded, the end-of-load steps run, the pointer is
// restored and the failure is told.
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "tests/reliability/cli_runner.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::TlmBody;

// Serves its bytes a few at a time, then fails every read with EIO, counting
// the failures in `failedReads`.
class FailingSource : public LogSource {
public:
    FailingSource(std::string bytes, int& failedReads)
        : bytes_(std::move(bytes)), failedReads_(failedReads) {}
    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        const std::size_t count = std::min({capacity, bytes_.size() - position_, kChunk});
        if (count == 0) {
            ++failedReads_;
            return {0, EIO};
        }
        std::copy_n(bytes_.data() + position_, count, buffer);
        position_ += count;
        return {count, 0};
    }

private:
    static constexpr std::size_t kChunk = 100;
    std::string bytes_;
    std::size_t position_ = 0;
    int& failedReads_;
};

class ReadError : public test::LoadFixture {
protected:
    LoadOutcome LoadFailing(const std::string& bytes) {
        logPath = folder / "orbit.kss";
        return WaitFor([&](const DecoderSession::Done& done) {
            session.OpenLog(logPath, std::make_unique<FailingSource>(bytes, failedReads), done);
            busyDuringLoad = display.busy;
        });
    }

    int failedReads = 0;
    bool busyDuringLoad = false;
};

TEST_F(ReadError, LoadEndsInOrderWithAMessage) {
    // The source fails inside the third frame, which is cut there.
    const LoadOutcome outcome = LoadFailing(KissFrame(2, TlmBody(1000, 5)) + KissFrame(1, "first") +
                                            KissFrame(1, "cut short by the failure").substr(0, 15));

    EXPECT_TRUE(busyDuringLoad);
    EXPECT_FALSE(display.busy);
    EXPECT_FALSE(session.Loading());
    EXPECT_EQ(failedReads, 1);
    EXPECT_TRUE(outcome.ran);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].Message(),
              "Cannot read the log " + logPath + ": Input/output error");
    EXPECT_EQ(outcome.framesDecoded, 3u);
    EXPECT_EQ(display.frameTexts, (std::vector<std::string>{"first", "cut shor"}));
    // The end-of-load steps ran.
    EXPECT_TRUE(display.recordNavigationEnabled);
    EXPECT_EQ(display.recordPosition, "#1 / 1");
    EXPECT_EQ(display.channelValues[0], "1.879");
    EXPECT_EQ(display.chart.size(), 1u);
    EXPECT_EQ(outcome.reportPath, folder / "orbit.tlm");
    EXPECT_EQ(outcome.exportPath, folder / "orbit.csv");
    EXPECT_NE(ReportBody().find("[TIME] cut shor\r\n"), std::string::npos);
}

TEST_F(ReadError, FailureBeforeAnyByte) {
    const LoadOutcome outcome = LoadFailing("");
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].action, FileProblem::Action::ReadLog);
    EXPECT_EQ(outcome.framesDecoded, 0u);
    EXPECT_FALSE(display.busy);
    EXPECT_TRUE(display.recordNavigationEnabled);
    EXPECT_EQ(display.recordScrollMaximum, 0);
}

// /proc/self/mem opens as a file, but reading its first page fails with EIO.
TEST(CliReadError, ExitsOneNamingTheLog) {
    const test::TempFolder folder;
    const std::string log = folder / "mem.kss";
    ASSERT_EQ(::symlink("/proc/self/mem", log.c_str()), 0);
    const test::CliResult run = test::RunCli({log});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvex-decode: Cannot read the log " + log + ": Input/output error\n");
    EXPECT_EQ(run.out,
              log + ": 0 frames read, 0 decoded, 0 TLM records, 0 WOD rows (0 distinct)\n");
}

}  // namespace
}  // namespace orvex

// Ending the program during a load: the load stops after the current frame,
// skips the end-of-load steps, leaves no half-written file behind and leaves
// the session able to load again.
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::WodBody;

std::string LongLog() {
    std::string log;
    for (int i = 0; i < 5000; ++i) {
        log += KissFrame(1, "frame " + std::to_string(i)) + KissFrame(8, WodBody({}, {}, {}));
    }
    return log;
}

class StopDuringLoad : public test::LoadFixture {};

TEST_F(StopDuringLoad, EndsAtOnceWithoutTheEndSteps) {
    hook.onFrame = [this](std::uint64_t) { session.Stop(); };
    const LoadOutcome outcome = Load(LongLog());
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(hook.framesRead, 1u);
    EXPECT_EQ(outcome.framesDecoded, 1u);
    EXPECT_FALSE(display.busy);
    EXPECT_FALSE(session.Loading());
    EXPECT_FALSE(display.recordNavigationEnabled);
    EXPECT_EQ(display.recordPosition, "");
    EXPECT_EQ(display.selectedChannel, -1);
    // The report holds the one decoded frame; no export, no temporary file.
    EXPECT_EQ(ReportBody(), "[TIME] frame 0\r\n\r\n");
    EXPECT_EQ(test::FolderEntries(folder.Path()),
              (std::vector<std::string>{"orbit.kss", "orbit.tlm"}));
}

TEST_F(StopDuringLoad, SessionLoadsAgainAfterwards) {
    hook.onFrame = [this](std::uint64_t count) {
        if (count == 3) {
            session.Stop();
        }
    };
    Load(LongLog());
    hook.onFrame = nullptr;
    const LoadOutcome outcome = Open(logPath);
    EXPECT_FALSE(outcome.stopped);
    EXPECT_EQ(outcome.framesDecoded, 10000u);
    EXPECT_EQ(outcome.wodRowsExported, 1u);
    EXPECT_TRUE(display.recordNavigationEnabled);
}

}  // namespace
}  // namespace orvex

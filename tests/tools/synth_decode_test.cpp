#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>
#include <map>
#include <sstream>

#include "session/decoder_session.h"
#include "telemetry/calibration.h"
#include "tests/support/display_stand_in.h"
#include "tests/support/event_wait.h"
#include "tests/support/generated_log.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"
#include "tools/synth/orbit_model.h"

namespace orvex::synth::test {
namespace {

constexpr int kTlmType = 2, kWodType = 8;

bool IsListed(int type) {
    return type == 1 || type == 3 || (type >= 6 && type <= 12 && type != 8);
}

// A generated log of three passes, decoded by the program's own load with the
// report and the export on.
class DecodedLog : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string log = GenerateLog({"--passes", "3", "--seed", "6"});
        for (const std::string& frame : FramesOf(log)) {
            ++typeCounts[TypeOf(frame)];
            listed += IsListed(TypeOf(frame)) ? 1 : 0;
            ++frames;
        }
        path = folder.Write("passes.kss", log);
        session.ShowChannelDescriptions();
        bool ended = false;
        session.OpenLog(path, [&](const LoadOutcome& loaded) {
            outcome = loaded;
            ended = true;
        });
        ASSERT_TRUE(orvex::test::HandleEventsUntil([&] { return ended; }));
    }

    std::map<int, std::uint64_t> typeCounts;
    std::uint64_t frames = 0, listed = 0;
    orvex::test::TempFolder folder;
    std::string path;
    orvex::test::DisplayStandIn display;
    LocaleFormat format{QLocale::c()};
    OutputOptions options;
    LoadContext context{format, options};
    DecoderSession session{display, context};
    LoadOutcome outcome;
};

TEST_F(DecodedLog, CountsEveryFrameListsTheTextsAndKeepsEveryRecord) {
    ASSERT_TRUE(outcome.ran);
    EXPECT_TRUE(outcome.problems.empty());
    EXPECT_EQ(outcome.framesDecoded, frames);
    EXPECT_EQ(display.frameTexts.size(), listed);
    const std::uint64_t tlm = typeCounts[kTlmType];
    ASSERT_GT(tlm, 100u);
    EXPECT_EQ(outcome.records, tlm);
    EXPECT_EQ(session.History().Count(), tlm);
    EXPECT_EQ(display.recordScrollMaximum, static_cast<int>(tlm));
    EXPECT_EQ(display.softwareVersion, 12);
}

TEST_F(DecodedLog, RecordsHoldPlausibleValues) {
    const TelemetryHistory& history = session.History();
    const auto value = [&](std::size_t index, int channel) {
        return CalibrationTable()[channel][history.Raw(index, channel)];
    };
    for (std::size_t r = 0; r < history.Count(); ++r) {
        if (r > 0) {
            EXPECT_GT(history.Timestamp(r), history.Timestamp(r - 1));
        }
        for (int cell = 0; cell < 8; ++cell) {
            EXPECT_GE(value(r, cell), 1.2) << r;
            EXPECT_LE(value(r, cell), 1.45) << r;
        }
        EXPECT_NEAR(value(r, kBus5Volts), 5.0, 0.05);
        EXPECT_NEAR(value(r, kTxBRf), 0, 20);
        EXPECT_TRUE(value(r, kEclipse) == 0 || value(r, kEclipse) == 1);
        EXPECT_LE(value(r, kTeprState), 6);
    }
}

TEST_F(DecodedLog, ExportsEachWodSampleOnceOnWholeMinutes) {
    EXPECT_EQ(outcome.wodRows, 3 * typeCounts[kWodType]);
    ASSERT_TRUE(outcome.wodRowsExported);
    EXPECT_LT(*outcome.wodRowsExported, outcome.wodRows);  // samples sent more than once
    std::istringstream csv(orvex::test::ReadFile(folder / "passes.csv"));
    std::string line;
    std::getline(csv, line);
    std::uint64_t rows = 0;
    for (; std::getline(csv, line); ++rows) {
        EXPECT_EQ(line.substr(5, 4), ":00;") << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 11) << line;
    }
    EXPECT_EQ(rows, *outcome.wodRowsExported);
}

}  // namespace
}  // namespace orvex::synth::test

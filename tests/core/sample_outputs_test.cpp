// The report and the WOD export of the sample pass, byte for byte as stored
// beside it: stored files and their users rely on both formats.
#include <gtest/gtest.h>

#include <QLocale>

#include <string>

#include "session/decoder_session.h"
#include "tests/support/child_process.h"
#include "tests/support/display_stand_in.h"
#include "tests/support/event_wait.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex {
namespace {

const std::string kSamples = ORVEX_SAMPLES_DIR;

// "" when equal, else where the two first part.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
    if (actual == expected) {
        return {};
    }
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
        ++at;
    }
    const std::size_t lineStart =
        expected.rfind('\n', at) == std::string::npos ? 0 : expected.rfind('\n', at) + 1;
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at byte " + std::to_string(at) + ", expected line: " +
           expected.substr(lineStart, expected.find('\r', lineStart) - lineStart);
}

class SampleOutputs : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleOutputs, ReportAndExportMatchTheStoredFiles) {
    const std::string locale = GetParam();
    test::TempFolder folder;
    folder.Write("orvex-pass.kss", test::ReadFile(kSamples + "/orvex-pass.kss"));
    // A relative path, so that the report's "File: " line is the same
    // wherever the test runs: opened in a process of its own in the folder.
    ASSERT_TRUE(test::PassesInFolder(folder.Path(), [&] {
        const LocaleFormat format{QLocale(QString::fromStdString(locale))};
        const OutputOptions options;
        const LoadContext context(format, options);
        test::DisplayStandIn display;
        DecoderSession session(display, context);
        bool ended = false;
        session.OpenLog("orvex-pass.kss", [&](const LoadOutcome& /*outcome*/) { ended = true; });
        ASSERT_TRUE(test::HandleEventsUntil([&] { return ended; }));
    }));

    const std::string expected = kSamples + "/expected/orvex-pass." + locale;
    EXPECT_EQ(FirstDifference(test::ReadFile(folder / "orvex-pass.tlm"),
                              test::ReadFile(expected + ".tlm")),
              "");
    EXPECT_EQ(FirstDifference(test::ReadFile(folder / "orvex-pass.csv"),
                              test::ReadFile(expected + ".csv")),
              "");
}

INSTANTIATE_TEST_SUITE_P(Locales, SampleOutputs, ::testing::Values("en_GB", "de_DE"));

}  // namespace
}  // namespace orvex

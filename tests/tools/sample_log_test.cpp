#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "tests/support/generated_log.h"
#include "tests/support/temp_folder.h"

namespace orvex::synth::test {
namespace {

const std::string kSamples = ORVEX_SAMPLES_DIR;

// The arguments of the orvex-synth command that samples/README.md gives.
std::vector<std::string> ReadmeCommand() {
    const std::string readme = orvex::test::ReadFile(kSamples + "/README.md");
    const std::size_t at = readme.find("orvex-synth ");
    if (at == std::string::npos) {
        return {};
    }
    std::istringstream line(readme.substr(at, readme.find('\n', at) - at));
    std::vector<std::string> words;
    for (std::string word; line >> word;) {
        words.push_back(word);
    }
    words.erase(words.begin());
    return words;
}

TEST(SampleLog, RegeneratesByteForByteFromItsReadme) {
    std::vector<std::string> args = ReadmeCommand();
    ASSERT_GE(args.size(), 2u);
    ASSERT_EQ(args[args.size() - 2], "-o");
    EXPECT_EQ(args.back(), "samples/orvex-pass.kss");
    args.resize(args.size() - 2);
    EXPECT_TRUE(GenerateLog(args) == orvex::test::ReadFile(kSamples + "/orvex-pass.kss"));
}

TEST(SampleLog, IsOnePassWithEveryFrameTypeAndFewerThanAHundredTlmFrames) {
    std::map<int, int> counts;
    for (const std::string& frame : FramesOf(orvex::test::ReadFile(kSamples + "/orvex-pass.kss"))) {
        ++counts[TypeOf(frame)];
    }
    EXPECT_EQ(counts.size(), 13u);
    EXPECT_EQ(counts.begin()->first, 1);
    EXPECT_EQ(counts.rbegin()->first, 13);
    EXPECT_GT(counts[2], 50);
    EXPECT_LT(counts[2], 100);
}

}  // namespace
}  // namespace orvex::synth::test

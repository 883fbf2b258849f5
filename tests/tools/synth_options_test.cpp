#include <gtest/gtest.h>

#include "tools/synth/frame_mix.h"
#include "tools/synth/synth_options.h"

namespace orvex::synth {
namespace {

TEST(SynthOptions, SizesTakeBinarySuffixes) {
    EXPECT_EQ(ParseSize("4096"), 4096u);
    EXPECT_EQ(ParseSize("512K"), 512u * 1024);
    EXPECT_EQ(ParseSize("10M"), 10u * 1024 * 1024);
    EXPECT_EQ(ParseSize("100m"), 100u * 1024 * 1024);
    EXPECT_EQ(ParseSize("2G"), 2ull << 30);
    for (const char* bad : {"", "M", "10X", "-5", "1.5M", "99999999999999999999G"}) {
        EXPECT_FALSE(ParseSize(bad)) << bad;
    }
}

TEST(SynthOptions, ParsesTheCommandLine) {
    SynthOptions options;
    std::string error;
    ASSERT_EQ(ParseSynthOptions({"--seed", "42", "--frames", "7", "--passes", "2", "--size", "1K",
                                 "--start", "1700000000", "--mix", "tlm,wod", "-o", "x.kss"},
                                options, error),
              ParseOutcome::Run);
    EXPECT_EQ(options.seed, 42u);
    EXPECT_EQ(options.frames, 7u);
    EXPECT_EQ(options.passes, 2u);
    EXPECT_EQ(options.bytes, 1024u);
    EXPECT_EQ(options.start, 1700000000u);
    EXPECT_TRUE(options.mix.Has(2) && options.mix.Has(8) && !options.mix.Has(4));
    EXPECT_EQ(options.output, "x.kss");

    EXPECT_EQ(ParseSynthOptions({"-o", "-"}, options, error), ParseOutcome::Run);
    EXPECT_EQ(options.output, "");
    EXPECT_EQ(ParseSynthOptions({"--seed", "1", "--help"}, options, error), ParseOutcome::Help);
    EXPECT_EQ(ParseSynthOptions({"--version", "--colour"}, options, error), ParseOutcome::Version);
}

TEST(SynthOptions, RejectsWhatItCannotUse) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--colour"}, "unknown option --colour"},
        {{"--seed"}, "--seed needs a value"},
        {{"--seed", "x"}, "invalid value for --seed: x"},
        {{"--start", "4294967296"}, "invalid value for --start: 4294967296"},
        {{"--mix", "tlm,nonsense"}, "invalid value for --mix: tlm,nonsense"},
        {{"--mix", ""}, "invalid value for --mix: "},
    };
    for (const auto& [args, message] : cases) {
        SynthOptions options;
        std::string error;
        EXPECT_EQ(ParseSynthOptions(args, options, error), ParseOutcome::Error) << message;
        EXPECT_EQ(error, message);
    }
}

TEST(SynthOptions, MixNamesSelectFrameTypes) {
    const FrameMix realistic = FrameMix::Realistic();
    for (int type = 1; type <= 13; ++type) {
        EXPECT_TRUE(realistic.Has(type)) << type;
    }
    EXPECT_FALSE(realistic.Has(0));
    EXPECT_FALSE(realistic.Has(14));
    const FrameMix text = *FrameMix::Parse("text");
    for (int type : {3, 6, 7, 9, 10, 11, 12}) {
        EXPECT_TRUE(text.Has(type)) << type;
    }
    EXPECT_FALSE(text.Has(1));  // the time frame has its own name
    EXPECT_TRUE(FrameMix::Parse("time,hws,sws,topr")->Has(13));
}

}  // namespace
}  // namespace orvex::synth

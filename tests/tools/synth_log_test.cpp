#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "frames/frame_type.h"
#include "kiss/frame.h"
#include "tests/support/generated_log.h"
#include "tools/synth/frame_stream.h"
#include "tools/synth/kiss_writer.h"

namespace orvex::synth::test {
namespace {

std::map<int, int> CountByType(const std::vector<std::string>& frames) {
    std::map<int, int> counts;
    for (const std::string& frame : frames) {
        ++counts[TypeOf(frame)];
    }
    return counts;
}

std::uint32_t TimeOf(const std::string& frame) {
    Frame f;
    std::copy(frame.begin(), frame.end(), f.bytes.begin());
    return f.TimestampAt(layout::kBody);
}

TEST(SynthLog, IsDeterministicForASeedAndDiffersBetweenSeeds) {
    const std::string log = GenerateLog({"--seed", "7", "--frames", "3000"});
    EXPECT_EQ(GenerateLog({"--seed", "7", "--frames", "3000"}), log);
    EXPECT_NE(GenerateLog({"--seed", "8", "--frames", "3000"}), log);
    EXPECT_EQ(GenerateLog({"--seed", "7", "--frames", "3000", "--mix", "tlm"}),
              GenerateLog({"--seed", "7", "--frames", "3000", "--mix", "tlm"}));
}

TEST(SynthLog, StopsAtTheFirstLimitReached) {
    EXPECT_EQ(FramesOf(GenerateLog({"--frames", "1234"})).size(), 1234u);
    EXPECT_EQ(FramesOf(GenerateLog({"--frames", "0"})).size(), 0u);

    const std::string sized = GenerateLog({"--size", "256K", "--seed", "3"});
    EXPECT_GE(sized.size(), 256u * 1024);
    EXPECT_LT(sized.size(), 256u * 1024 + 400);  // one frame and its stray bytes past the size

    EXPECT_EQ(FramesOf(GenerateLog({"--size", "1M", "--frames", "10"})).size(), 10u);
}

TEST(SynthLog, PassesAreMinutesLongAndAboutAnOrbitApartOrMore) {
    const std::vector<std::string> frames =
        FramesOf(GenerateLog({"--passes", "6", "--mix", "tlm"}));
    ASSERT_FALSE(frames.empty());
    EXPECT_GE(TimeOf(frames.front()), kDefaultStart);
    EXPECT_LT(TimeOf(frames.front()), kDefaultStart + 60);
    int passGaps = 0;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const std::uint32_t gap = TimeOf(frames[i]) - TimeOf(frames[i - 1]);
        ASSERT_GT(gap, 0u) << "frame " << i;
        if (gap > 60) {
            EXPECT_GT(gap, 75u * 60) << "frame " << i;
            ++passGaps;
        }
    }
    EXPECT_EQ(passGaps, 5);
    // About one TLM frame every 4 s, some lost: 5 to 13 minutes a pass.
    EXPECT_GT(frames.size(), 6u * 60);
    EXPECT_LT(frames.size(), 6u * 200);
}

TEST(SynthLog, RealisticMixHoldsEveryTypeInPlausibleShares) {
    const std::vector<std::string> frames = FramesOf(GenerateLog({"--passes", "8", "--seed", "2"}));
    const std::map<int, int> counts = CountByType(frames);
    for (int type = 1; type <= 13; ++type) {
        EXPECT_GT(counts.count(type) ? counts.at(type) : 0, 0) << "type " << type;
    }
    EXPECT_EQ(counts.size(), 13u);
    const double total = static_cast<double>(frames.size());
    EXPECT_NEAR(counts.at(2) / total, 0.45, 0.05);  // TLM
    EXPECT_NEAR(counts.at(8) / total, 0.28, 0.05);  // WOD
}

TEST(SynthLog, MixKeepsOnlyTheNamedTypes) {
    const std::map<int, int> tlm = CountByType(FramesOf(GenerateLog({"--mix", "tlm"})));
    EXPECT_EQ(tlm.size(), 1u);
    EXPECT_EQ(tlm.count(2), 1u);

    const std::map<int, int> mixed =
        CountByType(FramesOf(GenerateLog({"--mix", "wod,text", "--passes", "3"})));
    std::set<int> types;
    for (const auto& entry : mixed) {
        types.insert(entry.first);
    }
    EXPECT_EQ(types, (std::set<int>{3, 6, 7, 8, 9, 10, 11, 12}));  // WOD and the text types
}

// Everything the writer put in the log must come back from the decoder's
// reader as the generator meant it: escapes undone, CR LF line breaks read as
// CR, stray bytes between frames skipped.
TEST(SynthLog, EveryFrameReadsBackAsMeant) {
    FrameStream stream(5, kDefaultStart, FrameMix::Realistic());
    StringSink sink;
    std::vector<std::string> meant;
    {
        KissWriter writer(sink, 5);
        SynthFrame frame;
        while (meant.size() < 30000 && stream.Next(frame)) {
            writer.Write(frame);
            meant.emplace_back(frame.View());
        }
    }
    const std::string& log = sink.Bytes();
    const std::vector<std::string> read = FramesOf(log);
    ASSERT_EQ(read.size(), meant.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        ASSERT_EQ(read[i], meant[i]) << "frame " << i;
    }
    // The log held what makes reading it hard.
    EXPECT_NE(log.find("\xDB\xDC"), std::string::npos);
    EXPECT_NE(log.find("\xDB\xDD"), std::string::npos);
    EXPECT_NE(log.find("!\r\n73"), std::string::npos);  // a text's line break
    std::size_t adjacentFends = 0;
    for (auto at = log.find("\xC0\xC0"); at != std::string::npos;
         at = log.find("\xC0\xC0", at + 2)) {
        ++adjacentFends;
    }
    EXPECT_LT(adjacentFends, read.size() - 300);  // stray bytes between some frames
    EXPECT_NE(std::adjacent_find(meant.begin(), meant.end()), meant.end());  // a WOD heard twice
}

}  // namespace
}  // namespace orvex::synth::test

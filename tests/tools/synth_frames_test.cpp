#include <gtest/gtest.h>

#include "frames/frame_type.h"
#include "frames/status_frames.h"
#include "frames/telemetry_frames.h"
#include "kiss/frame.h"
#include "telemetry/channel_table.h"
#include "tools/synth/status_frames.h"
#include "tools/synth/synth_options.h"
#include "tools/synth/telemetry_frames.h"

namespace orvex::synth {
namespace {

Frame AsFrame(const SynthFrame& synth) {
    Frame frame;
    std::copy(synth.bytes.begin(), synth.bytes.begin() + synth.length, frame.bytes.begin());
    frame.length = static_cast<std::uint16_t>(synth.length);
    return frame;
}

// The station's reader would drop the LF of a CR LF pair and shift the rest.
TEST(SynthFrames, BuilderBreaksCrLfPairsWithoutTouchingTimesOrType) {
    SynthFrame frame;
    FrameBuilder data(frame, kTlmType, 0);
    data.PutTime(7, 0x0D000000);
    data.Put(11, 0x0A);  // after the time's high byte
    data.Put(20, 0x0D);
    data.Put(21, 0x0A);
    ASSERT_TRUE(data.Finish());
    EXPECT_EQ(frame.bytes[10], 0x0D);
    EXPECT_EQ(frame.bytes[11], 0x0B);
    EXPECT_EQ(frame.bytes[21], 0x0B);

    FrameBuilder beforeType(frame, 10, 0x0D000000);  // COEF's type byte is an LF
    ASSERT_TRUE(beforeType.Finish());
    EXPECT_EQ(frame.bytes[5], 0x0C);
    EXPECT_EQ(frame.Type(), 10);

    FrameBuilder inTime(frame, kTlmType, 0);
    inTime.PutTime(7, 0x69000A0D);
    EXPECT_FALSE(inTime.Finish());
}

// The generator lays frames out by its own constants, on purpose: these
// tests read its frames through the decoder's views and type table, so a
// change to either layout shows here.
std::uint16_t DecodersLength(std::uint8_t type) {
    return FindFrameType(type)->length;
}

TEST(SynthFrames, TlmFrameHoldsTimeChannelsAndVersionWhereTheDecoderReadsThem) {
    RawChannels raw;
    for (int i = 0; i < kChannelCount; ++i) {
        raw[i] = static_cast<std::uint8_t>(0x20 + 5 * i);
    }
    SynthFrame synth;
    ASSERT_TRUE(BuildTlmFrame(synth, 1, kDefaultStart, raw, 3));
    const Frame frame = AsFrame(synth);
    EXPECT_EQ(frame.length, DecodersLength(kTlmType));
    const TlmFrame tlm(frame);
    EXPECT_EQ(tlm.Timestamp(), kDefaultStart);
    for (int i = 0; i < kChannelCount; ++i) {
        EXPECT_EQ(tlm.RawChannel(i), raw[i]) << i;
    }
    EXPECT_EQ(tlm.SoftwareVersion(), kSoftwareVersion);
}

TEST(SynthFrames, WodFrameRepeatsItsWholeMinuteSamplesExactly) {
    const OrbitModel model(3);
    const std::uint64_t index = kDefaultStart / 180 - 10;
    SynthFrame first, again;
    ASSERT_TRUE(BuildWodFrame(first, 100, index, model));
    ASSERT_TRUE(BuildWodFrame(again, 900, index, model));
    EXPECT_EQ(first.View().substr(7), again.View().substr(7));
    const Frame frame = AsFrame(first);
    EXPECT_EQ(frame.length, DecodersLength(kWodType));
    for (int k = 0; k < WodFrame::kSampleCount; ++k) {
        const WodFrame::Sample sample = WodFrame(frame).SampleAt(k);
        EXPECT_EQ(sample.timestamp, (3 * index + k) * 60);
        EXPECT_EQ(sample.extra, static_cast<std::uint8_t>(sample.timestamp / 60));
    }
}

TEST(SynthFrames, StatusFramesAgreeWithTheTransmitterMode) {
    SpacecraftState state;
    state.txMode = 3;  // digital, 4 W: both big HPAs on
    SynthFrame hws, sws, topr;
    ASSERT_TRUE(BuildHwsFrame(hws, 1, kDefaultStart, state, 1));
    EXPECT_GE(hws.length, DecodersLength(kHwsType));
    EXPECT_EQ(HwsFrame(AsFrame(hws)).Timestamp(), kDefaultStart);
    EXPECT_EQ(hws.bytes[12] & 0x20, 0x20);
    EXPECT_EQ(hws.bytes[22] & 0x0D, 0x05);
    state.txMode = 0;
    ASSERT_TRUE(BuildHwsFrame(hws, 1, kDefaultStart, state, 1));
    EXPECT_EQ(hws.bytes[12] & 0x20, 0);
    EXPECT_EQ(hws.bytes[22] & 0x0D, 0);

    ASSERT_TRUE(BuildSwsFrame(sws, 1, kDefaultStart, state, 1));
    EXPECT_GE(sws.length, DecodersLength(kSwsType));
    const Frame swsFrame = AsFrame(sws);
    const SwsFrame software(swsFrame);
    EXPECT_EQ(software.Byte(SwsFrame::kSettings[1]), 0);  // TXMode
    EXPECT_EQ(software.Byte(SwsFrame::kWodVersion), WodChannels()[0]);
    for (int k = 0; k < SwsFrame::kWodChannelCount; ++k) {
        EXPECT_EQ(software.WodChannel(k), WodChannels()[k + 1]);
    }

    const ToprTable table = {{{3600, 2}, {600, 4}, {1200, 6}, {0, 0}, {300, 1}, {900, 3}, {0, 7}}};
    ASSERT_TRUE(BuildToprFrame(topr, 1, table));
    EXPECT_GE(topr.length, DecodersLength(kToprType));
    const Frame frame = AsFrame(topr);
    const ToprFrame states(frame);
    for (int k = 0; k < ToprFrame::kStateCount; ++k) {
        EXPECT_EQ(states.StateValue(k + 1), table[k].seconds);
        EXPECT_EQ(states.StateMode(k + 1), table[k].mode);
    }
}

}  // namespace
}  // namespace orvex::synth

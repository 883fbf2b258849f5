#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "telemetry/calibration.h"
#include "tools/synth/orbit_model.h"
#include "tools/synth/raw_inverse.h"
#include "tools/synth/smooth_math.h"
#include "tools/synth/synth_options.h"

namespace orvex::synth {
namespace {

TEST(SynthModel, CosTurnsMatchesTheLibraryCosine) {
    for (double turns = -3; turns <= 3; turns += 0.0007) {
        EXPECT_NEAR(CosTurns(turns), std::cos(2 * M_PI * turns), 1e-8) << turns;
        EXPECT_NEAR(SinTurns(turns), std::sin(2 * M_PI * turns), 1e-8) << turns;
    }
}

TEST(SynthModel, RawForInvertsEveryCalibration) {
    for (int channel = 0; channel < kChannelCount; ++channel) {
        for (int raw = 0; raw < 256; ++raw) {
            const double value = Calibrate(channel, static_cast<std::uint8_t>(raw));
            ASSERT_EQ(Calibrate(channel, RawFor(channel, value)), value)
                << "channel " << channel << " raw " << raw;
        }
    }
    // Cells fall as the raw byte rises; values off the scale take its ends.
    EXPECT_EQ(RawFor(kBatteryCell0, 5.0), 0);
    EXPECT_EQ(RawFor(kBatteryCell0, -5.0), 255);
    // Between two steps the nearer one: raw 100 is 1.48334, raw 101 1.47917.
    EXPECT_EQ(RawFor(kBatteryCell0, 1.4820), 100);
    EXPECT_EQ(RawFor(kBatteryCell0, 1.4805), 101);
}

// One orbit sampled every 10 s from the default start.
class OrbitSamples : public ::testing::Test {
protected:
    OrbitModel model{11};
    static constexpr int kSamples = static_cast<int>(OrbitModel::kPeriodSeconds / 10);
    SpacecraftState At(int k) const { return model.At(kDefaultStart + 10 * k); }
};

TEST_F(OrbitSamples, ArraysLightOnlyInSunlightAndEclipseFlagFollows) {
    int eclipsed = 0;
    for (int k = 0; k < kSamples; ++k) {
        const SpacecraftState s = At(k);
        double arrays = 0;
        for (int face = 0; face < 6; ++face) {
            arrays += s.value[kArrayXMinus + face];
        }
        eclipsed += s.eclipse ? 1 : 0;
        EXPECT_EQ(s.value[kEclipse], s.eclipse ? 1 : 0);
        EXPECT_EQ(s.value[kSetPoint], s.eclipse ? 10 : 12);
        if (s.eclipse) {
            EXPECT_LT(arrays, 10) << k;
        } else {
            EXPECT_GT(arrays, 150) << k;
        }
    }
    EXPECT_NEAR(eclipsed / static_cast<double>(kSamples), OrbitModel::kEclipseFraction, 0.01);
}

TEST_F(OrbitSamples, CellsDischargeInEclipseAndStayInRange) {
    double atEntry = 0;
    for (int k = 1; k < kSamples; ++k) {
        const SpacecraftState before = At(k - 1), now = At(k);
        for (int cell = 0; cell < 8; ++cell) {
            EXPECT_GT(now.value[cell], 1.2);
            EXPECT_LT(now.value[cell], 1.45);
        }
        if (!before.eclipse && now.eclipse) {
            atEntry = now.value[kBatteryCell0];
        }
        if (before.eclipse && !now.eclipse) {
            ASSERT_GT(atEntry, 0);
            EXPECT_LT(before.value[kBatteryCell0], atEntry - 0.03);
        }
    }
}

TEST_F(OrbitSamples, TemperaturesSwingWithTheOrbit) {
    double coldest = 100, warmest = -100;
    for (int k = 0; k < kSamples; ++k) {
        const SpacecraftState s = At(k);
        for (const int channel : {kBattery5Temp, kBcrPlateTemp, kBattery0Temp, kTxThermistorA}) {
            EXPECT_GT(s.value[channel], -20);
            EXPECT_LT(s.value[channel], 45);
        }
        coldest = std::min(coldest, s.value[kBcrPlateTemp]);
        warmest = std::max(warmest, s.value[kBcrPlateTemp]);
    }
    EXPECT_GT(warmest - coldest, 15);
}

TEST(SynthModel, CountersCountAndTransmitterFollowsItsSchedule) {
    const OrbitModel model(4);
    double edac = model.At(kDefaultStart).value[kEdacCounter];
    int steps = 0;
    for (std::uint32_t t = kDefaultStart; t < kDefaultStart + 86400; t += 60) {
        const SpacecraftState s = model.At(t);
        const double next = s.value[kEdacCounter];
        EXPECT_TRUE(next == edac || next == edac + 1 || (edac == 255 && next == 0)) << t;
        steps += next != edac ? 1 : 0;
        edac = next;
        EXPECT_EQ(s.txMode, model.Schedule().ModeAt(t));
        EXPECT_NEAR(s.value[kTxARf], ModePowerMilliwatts(s.txMode), 12);
    }
    EXPECT_NEAR(steps, 86400 / 1700.0, 2);
}

TEST(SynthModel, ScheduleRunsItsStatesInTurnAndSometimesLeavesOneUnused) {
    const TxSchedule schedule(9);
    std::set<int> modes;
    for (std::uint32_t day = 0; day < 60; ++day) {
        const std::uint32_t midnight = (kDefaultStart / 86400 + day) * 86400;
        const ToprTable table = schedule.TableAt(midnight);
        std::uint32_t cycle = 0;
        for (const ToprState& state : table) {
            cycle += state.seconds;
            modes.insert(state.mode);
            EXPECT_EQ(state.seconds == 0, state.mode == 0 || state.mode == 7);
        }
        std::uint32_t t = midnight + cycle - midnight % cycle;  // a state 1 starts here
        for (const ToprState& state : table) {
            if (state.seconds > 0) {
                EXPECT_EQ(schedule.ModeAt(t), state.mode);
                EXPECT_EQ(schedule.ModeAt(t + state.seconds - 1), state.mode);
            }
            t += state.seconds;
        }
    }
    EXPECT_TRUE(modes.count(7));
    EXPECT_TRUE(modes.count(1) && modes.count(6));
}

}  // namespace
}  // namespace orvex::synth

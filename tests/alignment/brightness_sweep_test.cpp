// The sweep positions of auto alignment's brightness search in percent of a device range.
#include <gtest/gtest.h>

#include <vector>

#include "alignment/brightness_sweep.h"

namespace {

std::vector<int> Values(BrightnessSweep& sweep) {
    std::vector<int> values{sweep.DeviceValue()};
    while (sweep.Advance()) values.push_back(sweep.DeviceValue());
    return values;
}

}  // namespace

TEST(BrightnessSweep, ShippedTuningWalksTheDeviceRangeUpInFifthParts) {
    const int32_t tune[3] = {100, 0, 20};
    BrightnessSweep sweep;
    sweep.Configure(tune, 0, 255);
    EXPECT_EQ(Values(sweep), (std::vector<int>{0, 51, 102, 153, 204, 255}));
    EXPECT_EQ(sweep.ShownPercent(), 100);

    // An exposure control of -8..-1: value = minimum + percent x span / 100, truncated.
    sweep.Configure(tune, -8, -1);
    EXPECT_EQ(sweep.ShownPercent(), 0);
    EXPECT_EQ(Values(sweep), (std::vector<int>{-8, -7, -6, -4, -3, -1}));
}

TEST(BrightnessSweep, NegativeStepStartsAtTuneMaxAndShowsTheDistanceCovered) {
    const int32_t tune[3] = {80, 20, -30};
    BrightnessSweep sweep;
    sweep.Configure(tune, 0, 100);
    EXPECT_EQ(sweep.Percent(), 80);
    EXPECT_EQ(sweep.ShownPercent(), 0);
    ASSERT_TRUE(sweep.Advance());
    EXPECT_EQ(sweep.Percent(), 50);
    EXPECT_EQ(sweep.ShownPercent(), 50);
    ASSERT_TRUE(sweep.Advance());
    EXPECT_EQ(sweep.Percent(), 20);  // clamped at Tune Min
    EXPECT_FALSE(sweep.Advance());
    EXPECT_EQ(sweep.Percent(), 20);
}

TEST(BrightnessSweep, ZeroStepOrEqualBoundsGiveOnePosition) {
    BrightnessSweep sweep;
    const int32_t still[3] = {100, 0, 0};
    sweep.Configure(still, 0, 255);
    EXPECT_EQ(sweep.DeviceValue(), 255);
    EXPECT_FALSE(sweep.Advance());

    const int32_t single[3] = {40, 40, 20};
    sweep.Configure(single, 0, 200);
    EXPECT_EQ(sweep.DeviceValue(), 80);
    EXPECT_EQ(sweep.ShownPercent(), 100);
    EXPECT_FALSE(sweep.Advance());
}

TEST(BrightnessSweep, OutOfRangeTuningIsBroughtIntoShape) {
    BrightnessSweep sweep;
    const int32_t swapped[3] = {-50, 250, 60};  // bounds swapped and beyond 0..100
    sweep.Configure(swapped, 10, 0);             // device range given backwards too
    EXPECT_EQ(sweep.DeviceValue(), 0);
    ASSERT_TRUE(sweep.Advance());
    EXPECT_EQ(sweep.DeviceValue(), 6);
    ASSERT_TRUE(sweep.Advance());
    EXPECT_EQ(sweep.DeviceValue(), 10);
    EXPECT_FALSE(sweep.Advance());
}

TEST(SweepJudge, ALowCountGetsFiveMoreFramesAndTheBestPositionIsKept) {
    using Move = SweepJudge::Move;
    SweepJudge judge(17);
    for (int look = 0; look < 5; ++look) EXPECT_EQ(judge.Take(0, 10), Move::LookAgain);
    EXPECT_EQ(judge.Take(0, 10), Move::GoOn);
    EXPECT_FALSE(judge.SawCorners());
    for (int look = 0; look < 5; ++look) EXPECT_EQ(judge.Take(9, 20), Move::LookAgain);
    EXPECT_EQ(judge.Take(9, 20), Move::GoOn);
    EXPECT_EQ(judge.Take(24, 30), Move::GoOn);  // enough corners: taken at once
    EXPECT_EQ(judge.Take(29, 40), Move::GoOn);
    EXPECT_EQ(judge.Take(21, 50), Move::GoOn);
    EXPECT_TRUE(judge.SawCorners());
    EXPECT_EQ(judge.BestValue(), 40);
}

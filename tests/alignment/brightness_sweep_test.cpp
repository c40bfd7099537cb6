// The sweep positions of auto alignment's brightness search in percent of a device range.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "alignment/brightness_sweep.h"

// Each position of a sweep as (device value, shown percent).
using Positions = std::vector<std::pair<int, int>>;

TEST(BrightnessSweep, TuningWalksTheDeviceRangeAndShowsTheDistanceCovered) {
    const struct {
        int32_t tune[3];  // Tune Max, Tune Min, step in percent
        int deviceMinimum, deviceMaximum;
        Positions expected;
    } cases[] = {
        {{100, 0, 20}, 0, 255, {{0, 0}, {51, 20}, {102, 40}, {153, 60}, {204, 80}, {255, 100}}},
        // value = minimum + percent x span / 100, truncated
        {{100, 0, 20}, -8, -1, {{-8, 0}, {-7, 20}, {-6, 40}, {-4, 60}, {-3, 80}, {-1, 100}}},
        {{80, 20, -30}, 0, 100, {{80, 0}, {50, 50}, {20, 100}}},  // down from Tune Max, clamped
        {{100, 0, 0}, 0, 255, {{255, 0}}},
        {{40, 40, 20}, 0, 200, {{80, 100}}},
        // Bounds swapped and beyond 0..100, the device range given backwards too.
        {{-50, 250, 60}, 10, 0, {{0, 0}, {6, 60}, {10, 100}}},
    };
    for (const auto& c : cases) {
        BrightnessSweep sweep;
        sweep.Configure(c.tune, c.deviceMinimum, c.deviceMaximum);
        Positions seen{{sweep.DeviceValue(), sweep.ShownPercent()}};
        while (sweep.Advance()) seen.emplace_back(sweep.DeviceValue(), sweep.ShownPercent());
        EXPECT_EQ(seen, c.expected) << c.tune[0] << " " << c.tune[1] << " " << c.tune[2];
        EXPECT_FALSE(sweep.Advance());
    }
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

// Remembered pose fits: found only for exactly the lens and factor they were fitted with, failed
// fits remembered as failed, and a full table that stops remembering but still answers.
#include "alignment/fitted_poses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

constexpr DetectorProfile kLens{300.0f, 300.0f, 160.0f, 120.0f, -0.05f, 0.01f};
constexpr CameraPose kPose{-540.0f, -360.0f, 1140.0f, 0.05f, -0.08f, 0.03f};

TEST(FittedPoses, FoundOnlyForTheExactLensAndFactor) {
    FittedPoses poses;
    bool fitted = false;
    CameraPose pose;
    EXPECT_FALSE(poses.Find(kLens, 1.0f, fitted, pose));
    poses.Remember(kLens, 1.0f, true, kPose);
    ASSERT_TRUE(poses.Find(kLens, 1.0f, fitted, pose));
    EXPECT_TRUE(fitted);
    EXPECT_EQ(std::memcmp(&pose, &kPose, sizeof pose), 0);

    // One float step away in any value, or another factor, is another fit.
    DetectorProfile moved = kLens;
    moved.cx = std::nextafter(kLens.cx, 200.0f);
    EXPECT_FALSE(poses.Find(moved, 1.0f, fitted, pose));
    moved = kLens;
    moved.p2 = 1e-9f;
    EXPECT_FALSE(poses.Find(moved, 1.0f, fitted, pose));
    EXPECT_FALSE(poses.Find(kLens, std::nextafter(1.0f, 2.0f), fitted, pose));
    // The pointer offsets play no part in a fit.
    moved = kLens;
    moved.offset1X = 4.0f;
    EXPECT_TRUE(poses.Find(moved, 1.0f, fitted, pose));
}

TEST(FittedPoses, FailedFitsAreRememberedTheFirstAnswerStaysAndAFullTableStillAnswers) {
    FittedPoses poses;
    poses.Remember(kLens, 1.25f, false, CameraPose{});
    poses.Remember(kLens, 1.25f, true, kPose);
    bool fitted = true;
    CameraPose pose;
    ASSERT_TRUE(poses.Find(kLens, 1.25f, fitted, pose));
    EXPECT_FALSE(fitted);
    EXPECT_EQ(poses.Count(), 1u);
    poses.Clear();
    EXPECT_FALSE(poses.Find(kLens, 1.25f, fitted, pose));
    EXPECT_EQ(poses.Count(), 0u);
    // A full table stops remembering and still answers.
    FittedPoses full(8);
    DetectorProfile lens = kLens;
    for (int i = 0; i < 20; ++i) {
        lens.cx = 150.0f + static_cast<float>(i);
        full.Remember(lens, 1.0f, true, CameraPose{static_cast<float>(i), 0.0f, 1.0f});
    }
    EXPECT_EQ(full.Count(), 5u);
    for (int i = 0; i < 20; ++i) {
        lens.cx = 150.0f + static_cast<float>(i);
        EXPECT_EQ(full.Find(lens, 1.0f, fitted, pose), i < 5) << i;
        EXPECT_TRUE(i >= 5 || pose.tx == static_cast<float>(i)) << i;
    }
}

}  // namespace

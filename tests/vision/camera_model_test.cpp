// CameraModel: distortion model selection, projections checked against the library's own
// projection, round trips over the screen, and the refused poses.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "alignment/camera_model.h"
#include "board_renderer.h"

namespace {

DetectorProfile Profile(float k1, float k2, float p1, float p2) {
    return {300.0f, 310.0f, 158.0f, 123.0f, k1, k2, p1, p2};
}

// The 1024 x 768 desktop seen from about 1.2 m, somewhat turned.
const CameraPose kPose{-480.0f, -330.0f, 1250.0f, 0.12f, -0.18f, 0.04f};

}  // namespace

// Both models' inversions are judged by the round trips over the screen below.
TEST(CameraModelDistortion, FullModelOnlyStrictlyAboveTheLimitAxisAndUnsolvablePointsComeBackUnchanged) {
    // k2, p1 or p2 beyond 1e-5 either way selects it; k1 alone never does.
    const struct { DetectorProfile profile; bool full; } cases[] = {
        {Profile(-0.3f, 1e-5f, 0.0f, 0.0f), false}, {Profile(-0.3f, -1.1e-5f, 0.0f, 0.0f), true},
        {Profile(0.0f, 0.0f, 2e-5f, 0.0f), true},   {Profile(0.0f, 0.0f, 0.0f, -2e-5f), true},
        {Profile(5.0f, 0.0f, 0.0f, 0.0f), false}};
    CameraModel model;
    for (const auto& c : cases) {
        model.SetIntrinsics(c.profile);
        EXPECT_EQ(model.UsesFullDistortion(), c.full) << c.profile.k1 << " " << c.profile.k2 << " " << c.profile.p1;
    }
    // Points on an axis come back unchanged.
    model.SetIntrinsics(Profile(-0.25f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(model.Undistort({0.0f, 0.5f}), cv::Point2f(0.0f, 0.5f));
    EXPECT_EQ(model.Undistort({0.5f, 0.0f}), cv::Point2f(0.5f, 0.0f));
    // With p1 = 1 alone, y' = y + x^2 + 3y^2 never drops below -1/12: the full model gives up.
    model.SetIntrinsics(Profile(0.0f, 0.0f, 1.0f, 0.0f));
    EXPECT_EQ(model.Undistort({0.1f, -1.0f}), cv::Point2f(0.1f, -1.0f));
}

TEST(CameraModelProjection, MatchesTheLibraryAndInvertsOverTheScreenForBothModels) {
    const struct {
        DetectorProfile profile;
        float roundTrip;
    } cases[] = {{Profile(-0.22f, 0.0f, 0.0f, 0.0f), 0.02f}, {Profile(-0.28f, 0.09f, 0.002f, -0.0015f), 0.25f}};
    for (const auto& c : cases) {
        CameraModel model;
        model.SetIntrinsics(c.profile);
        ASSERT_TRUE(model.SetPose(kPose));
        const std::vector<cv::Point2f> board{{0, 0}, {1024, 0}, {512, 384}, {100, 700}};
        const std::vector<cv::Point2f> library = ProjectDesktopPoints(c.profile, kPose, board);
        for (size_t i = 0; i < board.size(); ++i)
            EXPECT_LT(cv::norm(model.ProjectBoardPoint(board[i].x, board[i].y) - library[i]), 1e-3) << i;
        // Round trips over the screen.
        float worst = 0.0f;
        for (int y = 0; y <= 768; y += 48) {
            for (int x = 0; x <= 1024; x += 64) {
                const cv::Point2f sensor = model.ProjectBoardPoint(x, y);
                const cv::Point2f back = model.SensorToBoard(sensor.x, sensor.y);
                worst = std::max({worst, std::fabs(back.x - x), std::fabs(back.y - y)});
            }
        }
        EXPECT_LT(worst, c.roundTrip);
    }
}

TEST(CameraModelPose, AllZeroPoseAndPlaneThroughTheCameraAreRefusedAndThePreviousStays) {
    CameraModel model;
    model.SetIntrinsics(Profile(-0.22f, 0.0f, 0.0f, 0.0f));
    ASSERT_TRUE(model.SetPose(kPose));
    const cv::Point2f before = model.ProjectBoardPoint(300, 200);
    EXPECT_FALSE(model.SetPose(CameraPose{}));
    EXPECT_EQ(model.ProjectBoardPoint(300, 200), before);
    EXPECT_EQ(model.Pose().tz, kPose.tz);
    // Translation along the plane's own x axis: the plane contains the camera centre.
    EXPECT_FALSE(model.SetPose(CameraPose{5.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f}));
}

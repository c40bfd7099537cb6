// CameraModel: distortion model selection, projections checked against the library's own
// projection, round trips over the screen, and the refused poses.
#include <gtest/gtest.h>

#include <opencv2/calib3d.hpp>

#include <vector>

#include "alignment/camera_model.h"

namespace {

DetectorProfile Profile(float k1, float k2, float p1, float p2) {
    DetectorProfile profile;
    profile.fx = 300.0f;
    profile.fy = 310.0f;
    profile.cx = 158.0f;
    profile.cy = 123.0f;
    profile.k1 = k1;
    profile.k2 = k2;
    profile.p1 = p1;
    profile.p2 = p2;
    return profile;
}

// The 1024 x 768 desktop seen from about 1.2 m, somewhat turned.
const CameraPose kPose{-480.0f, -330.0f, 1250.0f, 0.12f, -0.18f, 0.04f};

cv::Point2f LibraryProjection(const DetectorProfile& p, const CameraPose& pose, float x, float y) {
    const cv::Matx33d camera(p.fx, 0, p.cx, 0, p.fy, p.cy, 0, 0, 1);
    const cv::Vec4d distortion(p.k1, p.k2, p.p1, p.p2);
    std::vector<cv::Point2d> image;
    cv::projectPoints(std::vector<cv::Point3d>{{x, y, 0.0}}, cv::Vec3d(pose.rx, pose.ry, pose.rz),
                      cv::Vec3d(pose.tx, pose.ty, pose.tz), camera, distortion, image);
    return cv::Point2f(static_cast<float>(image[0].x), static_cast<float>(image[0].y));
}

void ExpectRoundTripOverTheScreen(const CameraModel& model, float tolerance) {
    float worst = 0.0f;
    for (int y = 0; y <= 768; y += 48) {
        for (int x = 0; x <= 1024; x += 64) {
            const cv::Point2f sensor = model.ProjectBoardPoint(x, y);
            const cv::Point2f back = model.SensorToBoard(sensor.x, sensor.y);
            worst = std::max({worst, std::fabs(back.x - x), std::fabs(back.y - y)});
        }
    }
    EXPECT_LT(worst, tolerance);
}

}  // namespace

TEST(CameraModelSelection, FullModelOnlyStrictlyAboveTheLimit) {
    CameraModel model;
    model.SetIntrinsics(Profile(-0.3f, 1e-5f, 0.0f, 0.0f));
    EXPECT_FALSE(model.UsesFullDistortion());
    model.SetIntrinsics(Profile(-0.3f, -1.1e-5f, 0.0f, 0.0f));
    EXPECT_TRUE(model.UsesFullDistortion());
    model.SetIntrinsics(Profile(0.0f, 0.0f, 2e-5f, 0.0f));
    EXPECT_TRUE(model.UsesFullDistortion());
    model.SetIntrinsics(Profile(0.0f, 0.0f, 0.0f, -2e-5f));
    EXPECT_TRUE(model.UsesFullDistortion());
    model.SetIntrinsics(Profile(5.0f, 0.0f, 0.0f, 0.0f));  // k1 alone never does
    EXPECT_FALSE(model.UsesFullDistortion());
}

TEST(CameraModelDistortion, SimpleModelScalesKeepsAxisPointsAndIsTheIdentityWithoutCoefficients) {
    CameraModel model;
    model.SetIntrinsics(Profile(-0.25f, 0.0f, 0.0f, 0.0f));
    const cv::Point2f d = model.Distort({0.3f, -0.4f});  // r^2 = 0.25, s = 0.9375
    EXPECT_NEAR(d.x, 0.28125f, 1e-6f);
    EXPECT_NEAR(d.y, -0.375f, 1e-6f);
    const cv::Point2f back = model.Undistort(d);
    EXPECT_NEAR(back.x, 0.3f, 1e-6f);
    EXPECT_NEAR(back.y, -0.4f, 1e-6f);
    // On an axis the point comes back unchanged (no inversion is attempted).
    EXPECT_EQ(model.Undistort({0.0f, 0.5f}), cv::Point2f(0.0f, 0.5f));
    EXPECT_EQ(model.Undistort({0.5f, 0.0f}), cv::Point2f(0.5f, 0.0f));
    // Zero coefficients are the identity both ways.
    model.SetIntrinsics(Profile(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(model.Distort({0.2f, 0.7f}), cv::Point2f(0.2f, 0.7f));
    EXPECT_EQ(model.Undistort({0.2f, 0.7f}), cv::Point2f(0.2f, 0.7f));
}

TEST(CameraModelDistortion, FullModelInvertsWithinToleranceAndGivesUpUnchanged) {
    CameraModel model;
    model.SetIntrinsics(Profile(-0.28f, 0.09f, 0.002f, -0.0015f));
    const cv::Point2f point(0.41f, -0.33f);
    const cv::Point2f back = model.Undistort(model.Distort(point));
    EXPECT_NEAR(back.x, point.x, 2e-4f);
    EXPECT_NEAR(back.y, point.y, 2e-4f);
    EXPECT_LE(model.LastUndistortIterations(), 20);
    // With p1 = 1 alone, y' = y + x^2 + 3y^2 never drops below -1/12: no solution, so the
    // input comes back after 20 tries.
    model.SetIntrinsics(Profile(0.0f, 0.0f, 1.0f, 0.0f));
    EXPECT_EQ(model.Undistort({0.1f, -1.0f}), cv::Point2f(0.1f, -1.0f));
    EXPECT_EQ(model.LastUndistortIterations(), 21);
}

TEST(CameraModelProjection, MatchesTheLibraryForBothModels) {
    for (const DetectorProfile& profile :
         {Profile(-0.22f, 0.0f, 0.0f, 0.0f), Profile(-0.28f, 0.09f, 0.002f, -0.0015f)}) {
        CameraModel model;
        model.SetIntrinsics(profile);
        ASSERT_TRUE(model.SetPose(kPose));
        for (const cv::Point2f board : {cv::Point2f(0, 0), cv::Point2f(1024, 0),
                                        cv::Point2f(512, 384), cv::Point2f(100, 700)}) {
            const cv::Point2f mine = model.ProjectBoardPoint(board.x, board.y);
            const cv::Point2f library = LibraryProjection(profile, kPose, board.x, board.y);
            EXPECT_NEAR(mine.x, library.x, 1e-3f);
            EXPECT_NEAR(mine.y, library.y, 1e-3f);
        }
    }
}

TEST(CameraModelProjection, SensorToBoardInvertsProjectionOverTheScreen) {
    CameraModel simple;
    simple.SetIntrinsics(Profile(-0.22f, 0.0f, 0.0f, 0.0f));
    ASSERT_TRUE(simple.SetPose(kPose));
    ExpectRoundTripOverTheScreen(simple, 0.02f);
    CameraModel full;
    full.SetIntrinsics(Profile(-0.28f, 0.09f, 0.002f, -0.0015f));
    ASSERT_TRUE(full.SetPose(kPose));
    ExpectRoundTripOverTheScreen(full, 0.25f);
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

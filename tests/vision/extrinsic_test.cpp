// FindExtrinsic: the pose fitted to found corners maps them back onto the desktop; too few or
// degenerate pairs fail without touching the model.
#include <gtest/gtest.h>

#include "alignment/chessboard_finder.h"
#include "alignment/extrinsic_solver.h"
#include "board_renderer.h"

namespace {

// Pairs each found corner with the desktop position of the true corner nearest to it.
PosePoints PairWithDesktop(const CornerBuffer& corners, const std::vector<cv::Point2f>& truth,
                           const BoardScene& scene) {
    PosePoints points;
    for (int i = 0; i < corners.count && i < PosePoints::kCapacity; ++i) {
        size_t nearest = 0;
        for (size_t j = 1; j < truth.size(); ++j)
            if (cv::norm(truth[j] - corners.points[i]) < cv::norm(truth[nearest] - corners.points[i]))
                nearest = j;
        const cv::Point2f desktop = scene.Corner(static_cast<int>(nearest));
        points.imagePoints[points.count] = corners.points[i];
        points.objectPoints[points.count] = cv::Point3f(desktop.x, desktop.y, 0.0f);
        ++points.count;
    }
    return points;
}

}  // namespace

TEST(FindExtrinsic, PoseFromAFoundBoardMapsEveryCornerBack) {
    for (const bool portrait : {false, true}) {
        const BoardScene scene = portrait ? BoardScene::Portrait() : BoardScene();
        const DetectorProfile lens = SampleLens(true);
        const CameraPose truePose = ViewOfDesktop(lens, scene);
        CornerBuffer corners;
        corners.count = 35;
        ASSERT_EQ(FindChessboard(RenderBoard(lens, truePose, scene), scene.columns, scene.rows,
                                 corners),
                  35);
        const PosePoints points = PairWithDesktop(corners, TrueCorners(lens, truePose, scene), scene);
        CameraModel model;
        model.SetIntrinsics(lens);
        ASSERT_TRUE(FindExtrinsic(model, points));
        // Where the sensor really sees each corner maps back onto that corner of the desktop.
        const std::vector<cv::Point2f> truth = TrueCorners(lens, truePose, scene);
        for (int i = 0; i < scene.columns * scene.rows; ++i) {
            const cv::Point2f back = model.SensorToBoard(truth[i].x, truth[i].y);
            EXPECT_NEAR(back.x, scene.Corner(i).x, 0.5f) << i;
            EXPECT_NEAR(back.y, scene.Corner(i).y, 0.5f) << i;
        }
        EXPECT_NEAR(model.Pose().tz, truePose.tz, 0.01f * truePose.tz);
        EXPECT_NEAR(model.Pose().rx, truePose.rx, 0.01f);
        EXPECT_NEAR(model.Pose().ry, truePose.ry, 0.01f);
        EXPECT_NEAR(model.Pose().rz, truePose.rz, 0.01f);
    }
}

TEST(FindExtrinsic, FourExactPairsAreEnoughThreeAreNot) {
    const DetectorProfile lens = SampleLens(true);
    const BoardScene scene;
    const CameraPose truePose = ViewOfDesktop(lens, scene);
    const std::vector<cv::Point2f> desktop{{100, 80}, {900, 120}, {880, 700}, {140, 650}};
    const std::vector<cv::Point2f> sensor = ProjectDesktopPoints(lens, truePose, desktop);
    PosePoints points;
    for (size_t i = 0; i < desktop.size(); ++i) {
        points.imagePoints[i] = sensor[i];
        points.objectPoints[i] = cv::Point3f(desktop[i].x, desktop[i].y, 0.0f);
    }
    CameraModel model;
    model.SetIntrinsics(lens);
    points.count = 3;
    EXPECT_FALSE(FindExtrinsic(model, points));
    EXPECT_EQ(model.Pose().tz, 0.0f);  // untouched
    points.count = 4;
    ASSERT_TRUE(FindExtrinsic(model, points));
    // The full lens model stops undistorting at a residual of 1e-4: about 0.1 desktop pixel here.
    const cv::Point2f corner = model.SensorToBoard(sensor[2].x, sensor[2].y);
    EXPECT_NEAR(corner.x, 880.0f, 0.2f);
    EXPECT_NEAR(corner.y, 700.0f, 0.2f);
}

TEST(FindExtrinsic, DegeneratePairsFailAndKeepThePose) {
    const DetectorProfile lens = SampleLens(true);
    CameraModel model;
    model.SetIntrinsics(lens);
    const CameraPose before{-400.0f, -300.0f, 1000.0f, 0.1f, 0.0f, 0.0f};
    ASSERT_TRUE(model.SetPose(before));
    PosePoints points;
    points.count = 6;  // every pair the same point
    for (int i = 0; i < points.count; ++i) {
        points.imagePoints[i] = cv::Point2f(100.0f, 100.0f);
        points.objectPoints[i] = cv::Point3f(10.0f, 10.0f, 0.0f);
    }
    EXPECT_FALSE(FindExtrinsic(model, points));
    EXPECT_EQ(model.Pose().tz, before.tz);
    for (int i = 0; i < points.count; ++i) {  // a row of points: still no pose
        points.imagePoints[i] = cv::Point2f(100.0f + 10.0f * i, 100.0f + 2.0f * i);
        points.objectPoints[i] = cv::Point3f(10.0f + 40.0f * i, 10.0f, 0.0f);
    }
    EXPECT_FALSE(FindExtrinsic(model, points));
    EXPECT_EQ(model.Pose().tz, before.tz);
    points.count = 40;
    EXPECT_FALSE(FindExtrinsic(model, points));
}

// FindChessboard on boards drawn through a known lens and pose, and FindExtrinsic on the corners
// it found: whole boards in both orientations, partial boards, empty pictures and degenerate
// pairs. (The single-corner pattern is found the way alignment finds it in BoardDetection.)
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include <vector>

#include "alignment/chessboard_finder.h"
#include "alignment/extrinsic_solver.h"
#include "board_renderer.h"

namespace {

// For each found corner the index of the true corner nearest to it; every found corner must lie
// within `tolerance` of a different true corner.
std::vector<int> MatchCorners(const CornerBuffer& found, const std::vector<cv::Point2f>& truth, float tolerance) {
    std::vector<int> matched;
    std::vector<bool> taken(truth.size(), false);
    for (int i = 0; i < found.count; ++i) {
        size_t nearest = 0;
        for (size_t j = 1; j < truth.size(); ++j)
            if (cv::norm(truth[j] - found.points[i]) < cv::norm(truth[nearest] - found.points[i]))
                nearest = j;
        EXPECT_LT(cv::norm(truth[nearest] - found.points[i]), tolerance)
            << "corner " << i << " at " << found.points[i];
        EXPECT_FALSE(taken[nearest]) << "corner " << i << " found twice";
        taken[nearest] = true;
        matched.push_back(static_cast<int>(nearest));
    }
    return matched;
}

int FindIn(const cv::Mat& plane, int columns, int rows, int room, CornerBuffer& corners) {
    corners.count = room;
    return FindChessboard(plane, columns, rows, corners);
}

}  // namespace

TEST(FindChessboard, WholeBoardsThroughBothLensModelsGiveThePoseTheyWereSeenFrom) {
    struct Case { bool fullLens; bool portrait; };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{true, true}}) {
        SCOPED_TRACE(::testing::Message() << "full lens " << c.fullLens << ", portrait " << c.portrait);
        const DetectorProfile lens = SampleLens(c.fullLens);
        const BoardScene scene = c.portrait ? BoardScene{768, 1024, 5, 7} : BoardScene();
        const CameraPose truePose = ViewOfDesktop(lens, scene);
        const std::vector<cv::Point2f> truth = TrueCorners(lens, truePose, scene);
        CornerBuffer corners;
        ASSERT_EQ(FindIn(RenderBoard(lens, truePose, scene), scene.columns, scene.rows, 35, corners), 35);
        const std::vector<int> matched = MatchCorners(corners, truth, 0.3f);
        PosePoints points;
        for (points.count = 0; points.count < corners.count; ++points.count) {
            const cv::Point2f desktop = scene.Corner(matched[points.count]);
            points.imagePoints[points.count] = corners.points[points.count];
            points.objectPoints[points.count] = cv::Point3f(desktop.x, desktop.y, 0.0f);
        }
        CameraModel model;
        model.SetIntrinsics(lens);
        ASSERT_TRUE(FindExtrinsic(model, points));
        // Where the sensor really sees each corner maps back onto that corner of the desktop.
        for (int i = 0; i < 35; ++i)
            EXPECT_LT(cv::norm(model.SensorToBoard(truth[i].x, truth[i].y) - scene.Corner(i)), 0.5) << i;
        EXPECT_NEAR(model.Pose().tz, truePose.tz, 0.01f * truePose.tz);
        EXPECT_NEAR(model.Pose().rx, truePose.rx, 0.01f);
        EXPECT_NEAR(model.Pose().ry, truePose.ry, 0.01f);
        EXPECT_NEAR(model.Pose().rz, truePose.rz, 0.01f);
    }
}

TEST(FindChessboard, HalfCoveredBoardGivesAPartialCountAndEmptyPicturesNone) {
    const DetectorProfile lens = SampleLens(true);
    BoardScene scene;
    scene.cover = cv::Rect2f(0, 0, 512, 768);
    const CameraPose pose = ViewOfDesktop(lens, scene);
    const cv::Mat plane = RenderBoard(lens, pose, scene);
    CornerBuffer corners;
    const int count = FindIn(plane, 7, 5, 35, corners);
    EXPECT_GE(count, 12);
    EXPECT_LE(count, 20);
    MatchCorners(corners, TrueCorners(lens, pose, scene), 0.5f);
    EXPECT_EQ(FindIn(plane, 7, 5, 4, corners), 4);  // no more than the room given
    // Nothing in an empty or edge-only picture, or beyond the buffer.
    cv::Mat blank(240, 320, CV_8UC1, cv::Scalar(30));
    EXPECT_EQ(FindIn(blank, 7, 5, 35, corners), 0);
    cv::rectangle(blank, cv::Rect(60, 50, 150, 100), cv::Scalar(220), cv::FILLED);
    cv::line(blank, cv::Point(0, 200), cv::Point(319, 180), cv::Scalar(200), 3);
    EXPECT_EQ(FindIn(blank, 7, 5, 35, corners), 0);
    EXPECT_EQ(corners.count, 0);
    // Patterns beyond the buffer are refused even where a board is seen.
    EXPECT_EQ(FindIn(plane, 7, 6, 35, corners), 0);
    EXPECT_EQ(FindIn(plane, 0, 5, 35, corners), 0);
    EXPECT_EQ(FindIn(cv::Mat(), 7, 5, 35, corners), 0);
}

TEST(FindExtrinsic, FourExactPairsAreEnoughThreeOrDegeneratePairsAreNotAndKeepThePose) {
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

    // Degenerate pairs (every pair the same point, then a row of points) fail and keep the pose.
    const float tz = model.Pose().tz;
    points.count = 6;
    for (const float step : {0.0f, 1.0f}) {
        for (int i = 0; i < points.count; ++i) {
            points.imagePoints[i] = cv::Point2f(100.0f + 10.0f * step * i, 100.0f + 2.0f * step * i);
            points.objectPoints[i] = cv::Point3f(10.0f + 40.0f * step * i, 10.0f, 0.0f);
        }
        EXPECT_FALSE(FindExtrinsic(model, points)) << step;
        EXPECT_EQ(model.Pose().tz, tz);
    }
    points.count = 40;
    EXPECT_FALSE(FindExtrinsic(model, points));
}

// FindChessboard on boards drawn through a known lens and pose: whole boards in both
// orientations, partial boards and empty pictures. (The single-corner pattern is found the way
// alignment finds it in BoardDetection.)
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include "alignment/chessboard_finder.h"
#include "board_renderer.h"

namespace {

// Every found corner lies within `tolerance` of a different true corner.
void ExpectCornersMatch(const CornerBuffer& found, const std::vector<cv::Point2f>& truth,
                        float tolerance) {
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
    }
}

int FindIn(const cv::Mat& plane, int columns, int rows, int room, CornerBuffer& corners) {
    corners.count = room;
    return FindChessboard(plane, columns, rows, corners);
}

}  // namespace

TEST(FindChessboard, LandscapeBoardThroughBothLensModelsAndPortraitBoard) {
    struct Case { bool fullLens; bool portrait; };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{true, true}}) {
        const DetectorProfile lens = SampleLens(c.fullLens);
        const BoardScene scene = c.portrait ? BoardScene::Portrait() : BoardScene();
        const CameraPose pose = ViewOfDesktop(lens, scene);
        CornerBuffer corners;
        ASSERT_EQ(FindIn(RenderBoard(lens, pose, scene), c.portrait ? 5 : 7, c.portrait ? 7 : 5, 35, corners), 35)
            << c.fullLens << c.portrait;
        ExpectCornersMatch(corners, TrueCorners(lens, pose, scene), 0.3f);
    }
}

TEST(FindChessboard, HalfCoveredBoardGivesAPartialCount) {
    const DetectorProfile lens = SampleLens(true);
    BoardScene scene;
    scene.cover = cv::Rect2f(0, 0, 512, 768);
    const CameraPose pose = ViewOfDesktop(lens, scene);
    const cv::Mat plane = RenderBoard(lens, pose, scene);
    CornerBuffer corners;
    const int count = FindIn(plane, 7, 5, 35, corners);
    EXPECT_GE(count, 12);
    EXPECT_LE(count, 20);
    ExpectCornersMatch(corners, TrueCorners(lens, pose, scene), 0.5f);
    EXPECT_EQ(FindIn(plane, 7, 5, 4, corners), 4);  // no more than the room given
}

TEST(FindChessboard, NothingInAnEmptyOrEdgeOnlyPictureOrBeyondTheBuffer) {
    CornerBuffer corners;
    cv::Mat plane(240, 320, CV_8UC1, cv::Scalar(30));
    EXPECT_EQ(FindIn(plane, 7, 5, 35, corners), 0);
    cv::rectangle(plane, cv::Rect(60, 50, 150, 100), cv::Scalar(220), cv::FILLED);
    cv::line(plane, cv::Point(0, 200), cv::Point(319, 180), cv::Scalar(200), 3);
    EXPECT_EQ(FindIn(plane, 7, 5, 35, corners), 0);
    EXPECT_EQ(corners.count, 0);
    // Patterns beyond the buffer are refused even over a whole board.
    const DetectorProfile lens = SampleLens(false);
    const BoardScene scene;
    const cv::Mat board = RenderBoard(lens, ViewOfDesktop(lens, scene), scene);
    EXPECT_EQ(FindIn(board, 7, 6, 35, corners), 0);
    EXPECT_EQ(FindIn(board, 0, 5, 35, corners), 0);
    EXPECT_EQ(FindIn(cv::Mat(), 7, 5, 35, corners), 0);
}

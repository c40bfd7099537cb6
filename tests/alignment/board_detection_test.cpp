// The detections of auto alignment on sensor frames drawn through a known lens and pose: the
// lit screen, the board between references and tile by tile, and a single drawn corner. Boards
// seen upright, upside down and sideways are the room scenarios' business.
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <utility>
#include <vector>

#include "alignment/board_detection.h"
#include "alignment/corner_order.h"
#include "board_renderer.h"
#include "imaging/frame_images.h"

namespace {

constexpr int kChannel = 1;

// A sensor looking at a desktop through the sample lens: its white and black references, the
// board frame, and where the board's corners really are.
struct DetectionScene {
    explicit DetectionScene(const BoardScene& scene) {
        const DetectorProfile lens = SampleLens(true);
        const CameraPose pose = ViewOfDesktop(lens, scene);
        BoardScene white = scene, black = scene;
        white.light = std::max(scene.dark, scene.light);
        white.cover = cv::Rect2f(0, 0, static_cast<float>(scene.desktopWidth), static_cast<float>(scene.desktopHeight));
        black.light = black.dark = std::min(scene.dark, scene.light);
        whitePlane = RenderBoard(lens, pose, white);
        blackPlane = RenderBoard(lens, pose, black);
        cv::cvtColor(RenderBoard(lens, pose, scene), frame, cv::COLOR_GRAY2BGR);
        truth = TrueCorners(lens, pose, scene);
        plane.setTo(255);
    }
    DetectionImages Images(const PixelRect& area) { return {frame, kChannel, area, whitePlane, blackPlane, plane, work}; }

    cv::Mat frame, whitePlane, blackPlane;
    cv::Mat plane = CreatePaddedImage(320, 240, CV_8UC1), work = CreatePaddedImage(320, 240, CV_8UC1);
    std::vector<cv::Point2f> truth;
};

const PixelRect kStartArea{32, 32, 256, 176};

}  // namespace

// A screen that is not clipped white dims towards an edge, and may reach past the area the
// search starts from: the lit screen is all of it.
TEST(BoardDetection, LitScreenIsTheWholeScreenThoughItDimsAndPassesTheStartArea) {
    cv::Mat white = CreatePaddedImage(320, 240, CV_8UC1), black = CreatePaddedImage(320, 240, CV_8UC1);
    cv::Mat work = CreatePaddedImage(320, 240, CV_8UC1);
    white.setTo(10);
    black.setTo(10);
    const PixelRect screen{60, 20, 200, 202};
    for (int y = screen.y; y < screen.Bottom(); ++y)
        white(cv::Rect(screen.x, y, screen.width, 1)).setTo(240 - (y - screen.y) * 60 / screen.height);
    EXPECT_EQ(FindLitScreen(white, black, work, kStartArea), screen);
}

TEST(BoardDetection, LitScreenBoundsTheBoardAndTheBoardIsFoundBetweenReferencesAndByTiles) {
    const BoardScene board;
    DetectionScene scene(board);
    cv::Mat white = scene.whitePlane.clone();
    const PixelRect lit = FindLitScreen(white, scene.blackPlane, scene.work, kStartArea);
    EXPECT_GT(lit.width * 7, 2 * 320);
    EXPECT_GT(lit.height * 7, 2 * 240);
    for (const cv::Point2f corner : scene.truth)
        EXPECT_TRUE(corner.x > lit.x && corner.x < lit.Right() && corner.y > lit.y && corner.y < lit.Bottom()) << corner;

    // A dark picture has no lit screen: the area stays as it was.
    EXPECT_EQ(FindLitScreen(scene.blackPlane, scene.blackPlane, scene.work, kStartArea), kStartArea);

    // Between the references every corner is found in drawn order at the first level.
    CornerBuffer corners;
    int level = -1;
    ASSERT_EQ(DetectBetweenReferences(scene.Images(kStartArea), 7, 5, corners, level), 35);
    EXPECT_EQ(level, 50);
    EXPECT_TRUE(CornerOrderIsValid(corners, 7, 5));
    for (const cv::Point2f corner : scene.truth) {
        double nearest = 1e9;
        for (int i = 0; i < corners.count; ++i) nearest = std::min(nearest, cv::norm(corners.points[i] - corner));
        EXPECT_LT(nearest, 0.5) << corner;
    }

    // Tile by tile enough corners are seen to end the sweep, the squares 200 levels apart.
    CornerBuffer tiled;
    const int found = DetectTileAdaptive(scene.Images(kStartArea), 7, 5, tiled);
    EXPECT_GE(found, 31);
    EXPECT_LE(found, 35);
    EXPECT_EQ(tiled.count, found);
    EXPECT_NEAR(TileCutContrast(scene.Images(kStartArea)), 200, 30);

    // A board 8 levels above its black is found as well, but is too faint to end the sweep.
    BoardScene faint;
    faint.dark = 18;
    faint.light = 26;
    DetectionScene dim(faint);
    EXPECT_GE(DetectTileAdaptive(dim.Images(kStartArea), 7, 5, tiled), 31);
    EXPECT_NEAR(TileCutContrast(dim.Images(kStartArea)), 8, 2);
}

TEST(BoardDetection, NoBoardLeavesLevelZeroAndFewerCorners) {
    BoardScene blank;
    blank.dark = blank.light;
    DetectionScene scene(blank);
    CornerBuffer corners;
    int level = -1;
    EXPECT_LT(DetectBetweenReferences(scene.Images(kStartArea), 7, 5, corners, level), 35);
    EXPECT_EQ(level, 0);
}

TEST(BoardDetection, SingleLitCornerIsFoundAloneWhereItWasDrawn) {
    for (const int index : {0, 17, 34}) {
        BoardScene single;
        single.singleCorner = index;
        std::swap(single.dark, single.light);  // two white squares on a black screen
        DetectionScene scene(single);
        CornerBuffer corners;
        ASSERT_EQ(FindSingleCorner(scene.Images(kStartArea), corners), 1) << index;
        EXPECT_LT(cv::norm(corners.points[0] - scene.truth[index]), 1.5) << index;
    }
}

TEST(BoardDetection, BoardCornersInsideARectangleNameTheirQuadrant) {
    CornerBuffer saved;
    for (int i = 0; i < 35; ++i) saved.points[i] = {40.0f + 30.0f * (i % 7), 40.0f + 30.0f * (i / 7)};
    saved.count = 35;
    // Index quadrants: columns 3.. are right, rows 2.. are bottom.
    EXPECT_EQ(QuadrantOfCornersInside(saved, {30, 30, 80, 50}, 7, 5), 0);
    EXPECT_EQ(QuadrantOfCornersInside(saved, {150, 90, 100, 100}, 7, 5), 3);
    EXPECT_EQ(QuadrantOfCornersInside(saved, {0, 0, 20, 20}, 7, 5), -1);
}

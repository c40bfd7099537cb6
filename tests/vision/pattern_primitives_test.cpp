// Tile binarization, reference blending and the largest-region search.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>

#include "synthetic_frame.h"
#include "imaging/frame_images.h"
#include "imaging/pattern_primitives.h"
#include "imaging/plane_operations.h"

namespace {

cv::Mat Plane(int width, int height, uchar value) {
    cv::Mat plane = CreatePaddedImage(width, height, CV_8UC1);
    FillPlane(plane, value);
    return plane;
}

}  // namespace

TEST(TileBinarize, EachTileAgainstItsOwnMean) {
    cv::Mat source = Plane(10, 4, 0);
    cv::Mat target = Plane(10, 4, 77);
    // Two tiles across a width of 9: columns 1..5, then the remaining 6..9.
    source(cv::Rect(1, 0, 5, 4)).setTo(10);
    source.at<uchar>(1, 2) = 30;   // left tile: mean (19*10 + 30) / 20 = 11
    source(cv::Rect(6, 0, 4, 4)).setTo(200);
    source.at<uchar>(3, 9) = 100;  // right tile: mean below 200
    TileBinarize(source, target, 2, 1, {1, 0, 9, 4});
    const int cells[][3] = {{0, 0, 77}, {1, 0, 0}, {2, 1, 255}, {6, 0, 255}, {9, 3, 0}};  // x, y, value; (0, 0) is outside
    for (const auto& c : cells) EXPECT_EQ(target.at<uchar>(c[1], c[0]), c[2]) << c[0] << "," << c[1];
    TileBinarize(source, target, 0, 1, {1, 0, 9, 4});  // no tiles: nothing changes
    EXPECT_EQ(target.at<uchar>(1, 2), 255);
}

TEST(BlendThreshold, CutsBetweenTheReferencesAtTheGivenShare) {
    SyntheticFrame buffer(8, 1);
    FrameImages images;
    images.SetFormat(buffer.Format());
    images.Bind(buffer.Data());
    cv::Mat low = Plane(8, 1, 100);
    cv::Mat high = Plane(8, 1, 200);
    high.at<uchar>(0, 7) = 100;  // no contrast: stays 255
    const uchar values[8] = {119, 120, 149, 150, 189, 190, 250, 0};
    for (int x = 0; x < 8; ++x) buffer.At(x, 0, 2) = values[x];
    auto run = [&](int percent, bool invert) {
        BlendThreshold(images.frame, low, high, images.channelPlane, 2, percent, invert, images.FullRect());
        std::vector<int> out;
        for (int x = 0; x < 8; ++x) out.push_back(images.channelPlane.at<uchar>(0, x));
        return out;
    };
    EXPECT_EQ(run(20, false), (std::vector<int>{0, 255, 255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(run(90, false), (std::vector<int>{0, 0, 0, 0, 0, 255, 255, 255}));
    EXPECT_EQ(run(50, false), (std::vector<int>{0, 0, 0, 255, 255, 255, 255, 255}));
    EXPECT_EQ(run(10, false), run(50, false));
    EXPECT_EQ(run(95, false), run(50, false));
    EXPECT_EQ(run(50, true), (std::vector<int>{255, 255, 255, 255, 0, 0, 0, 255}));
}

TEST(LargestRegion, LargestBoxWinsTheFirstOnTiesAndRegionsTakeOnlyPixelsAsBrightAsTheirSeed) {
    cv::Mat image = Plane(60, 40, 0);
    image(cv::Rect(30, 2, 4, 4)).setTo(90);   // 16, first in row order
    image(cv::Rect(5, 10, 8, 2)).setTo(90);   // 16, later
    EXPECT_EQ(LargestRegion(image, 50, {0, 0, 60, 40}), (PixelRect{30, 2, 4, 4}));
    image(cv::Rect(40, 20, 3, 3)).setTo(90);
    image(cv::Rect(5, 25, 20, 6)).setTo(90);  // the largest
    image(cv::Rect(24, 25, 1, 1)).setTo(40);  // at or below the level: not a seed
    EXPECT_EQ(LargestRegion(image, 50, {0, 0, 60, 40}), (PixelRect{5, 25, 20, 6}));
    EXPECT_EQ(cv::countNonZero(image(cv::Rect(5, 25, 20, 6))), 1);  // consumed
    EXPECT_EQ(LargestRegion(image, 50, {0, 0, 60, 40}), (PixelRect{}));
    // A brighter half seeded after the dimmer one joins it; a bright seed stops at the dimmer
    // half, which then makes a region of its own.
    for (const bool brightFirst : {false, true}) {
        cv::Mat halves = Plane(30, 10, 0);
        halves(cv::Rect(2, 2, 10, 3)).setTo(brightFirst ? 180 : 100);
        halves(cv::Rect(12, 2, 10, 3)).setTo(brightFirst ? 100 : 180);
        EXPECT_EQ(LargestRegion(halves, 50, {0, 0, 30, 10}), (PixelRect{2, 2, brightFirst ? 10 : 20, 3}));
    }
}

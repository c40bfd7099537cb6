// The detection pass: blob limits, band and edge-lit filters, the spot rectangle, the centroid
// with its noise check, and the blocking alarm.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "spot_scene.h"

namespace {

// Whether the band test passed, and its horizontal and vertical spans.
using BandFigures = std::tuple<bool, int, int>;
BandFigures Band(const BandResult& r) { return {r.pass, r.horizontalSpan, r.verticalSpan}; }

}  // namespace

TEST(SpotDetection, OneSpotIsGrownByTwoWithinTheAreaAndMoreThanThreeBlobsAreNone) {
    SpotScene scene;
    scene.Light({100, 80, 6, 6});
    ASSERT_TRUE(scene.Detect());
    EXPECT_EQ(scene.current.spot, (PixelRect{98, 78, 10, 10}));
    EXPECT_EQ(scene.current.blobCount, 1);
    EXPECT_EQ(scene.blocking.Count(), 0);
    // Grown only as far as the detection area allows.
    SpotScene corner;
    corner.images.detectionArea = {50, 50, 100, 100};
    corner.Light({50, 50, 6, 6});
    ASSERT_TRUE(corner.Detect());
    EXPECT_EQ(corner.current.spot, (PixelRect{50, 50, 8, 8}));
    // Three blobs still give a spot; more are none, and no blocking.
    for (const int blobs : {3, 4}) {
        SpotScene row;
        for (int i = 0; i < blobs; ++i) row.Light({30 + 50 * i, 100, 6, 6});
        EXPECT_EQ(row.Detect(), blobs == 3) << blobs;
        EXPECT_EQ(row.current.blobCount, blobs);
        EXPECT_EQ(row.blocking.Count(), 0);
    }
}

TEST(SpotDetection, BandTestPassesABarFailsASquareAndIgnoresRowsOnTheAreaEdge) {
    SpotScene bar;
    bar.Light({100, 100, 30, 4});
    EXPECT_EQ(Band(BandTest(bar.View(), {100, 100, 30, 4}, 20)), (BandFigures{true, 30, -1}));
    EXPECT_TRUE(bar.Detect());

    SpotScene square;
    square.Light({100, 100, 30, 30});
    EXPECT_EQ(Band(BandTest(square.View(), {100, 100, 30, 30}, 20)), (BandFigures{false, 30, 30}));
    EXPECT_FALSE(square.Detect());
    EXPECT_EQ(square.blocking.Count(), 1);
    EXPECT_EQ(square.current.horizontalSpan, 30);
    EXPECT_TRUE(BandTest(square.View(), {100, 100, 30, 30}, 0).pass);
    // With the middle row 115 on the area's top edge there is no horizontal span: it passes.
    square.images.detectionArea = {0, 115, 320, 100};
    EXPECT_EQ(Band(BandTest(square.View(), {100, 100, 30, 30}, 20)), (BandFigures{true, 0, -1}));
}

TEST(SpotDetection, EdgeLitBySurroundingsAboveTheNoiseRatioOrByLitSidesOnTheArea) {
    for (const int ratio : {50, 100}) {
        SpotScene scene;
        scene.Light({90, 90, 26, 26}, 60);  // 60 % of the threshold around the spot
        scene.Light({100, 100, 6, 6});
        SpotParameters parameters;
        parameters.noiseRatio = ratio;
        EXPECT_EQ(EdgeLitTest(scene.View(), {100, 100, 6, 6}, ratio, 4), ratio == 50);
        EXPECT_EQ(scene.Detect(parameters), ratio == 100) << ratio;
    }
    // Sides touching the area count only with a lit sample.
    SpotScene scene;
    scene.images.detectionArea = {100, 100, 100, 100};
    EXPECT_FALSE(EdgeLitTest(scene.View(), {100, 100, 6, 6}, 100, 2));  // nothing lit: never
    scene.Light({100, 100, 6, 6});
    scene.Light({106, 103, 1, 1}, 150);  // right sample lit; left and top touch the area
    EXPECT_FALSE(EdgeLitTest(scene.View(), {100, 100, 6, 6}, 100, 4));  // L 1 + S 2 < 4
    EXPECT_TRUE(EdgeLitTest(scene.View(), {100, 100, 6, 6}, 100, 3));
}

TEST(SpotMeasure, CentroidIsIntensityWeightedOrTheCentreWhenUnlitAndRedNoiseAroundRejectsTheSpot) {
    SpotScene scene;
    scene.SetPixel(10, 20, SpotScene::kChannel, 100);
    scene.SetPixel(13, 20, SpotScene::kChannel, 200);
    scene.SetPixel(13, 23, SpotScene::kChannel, 100);
    scene.current.spot = {8, 18, 8, 8};
    ASSERT_TRUE(scene.Measure());
    EXPECT_EQ(cv::Point2f(scene.current.centroidX, scene.current.centroidY),
              cv::Point2f((10 * 100 + 13 * 200 + 13 * 100) / 400.0f, (20 * 100 + 20 * 200 + 23 * 100) / 400.0f));
    // An unlit spot gets its centre.
    scene.current.spot = {40, 18, 7, 4};
    ASSERT_TRUE(scene.Measure());
    EXPECT_EQ(cv::Point2f(scene.current.centroidX, scene.current.centroidY), cv::Point2f(43.5f, 20.0f));
    // Red noise around the spot rejects it, unless the check is off.
    scene.current.spot = {40, 18, 10, 10};
    scene.Light({40, 18, 5, 5});
    scene.Light({40, 18, 10, 10}, 130, 2);
    EXPECT_FALSE(scene.Measure(129));
    EXPECT_TRUE(scene.Measure(130));
    EXPECT_TRUE(scene.Measure(0));
}

// A pen on the edge between a bright and a dark part of the picture, drawn as the sensor sees
// it: a core of sigma 1 pixel in a glow of 1/e radius 2.4, added to the screen and clipped. The
// threshold (the brightness spread 2 pixels, plus a gap) cuts the spot on the dark side, and a
// region seeded there floods the bright side; the centroid still lies on the pen.
TEST(SpotMeasure, SpotOverAnEdgeOfThePictureIsCentredOnThePen) {
    constexpr int kEdge = 160, kBright = 110, kDark = 12, kGap = 25;
    for (const double penX : {157.6, 158.7, 159.5, 160.2, 161.4}) {
        const double penY = 100.3 + penX - kEdge;
        SpotScene scene;
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                const int screen = x < kEdge ? kBright : kDark;
                const double d2 = (x - penX) * (x - penX) + (y - penY) * (y - penY);
                const double pen = 2000.0 * (0.8 * std::exp(-d2 / 2) + 0.2 * std::exp(-d2 / 5.76));
                scene.SetPixel(x, y, SpotScene::kChannel,
                               static_cast<uchar>(std::min(255.0, screen + pen + 0.5)));
                scene.images.backgroundPlane.at<uchar>(y, x) = static_cast<uchar>(screen);
                scene.images.thresholdImage.at<uchar>(y, x) =
                    static_cast<uchar>((x < kEdge + 2 ? kBright : kDark) + kGap);
            }
        }
        ASSERT_TRUE(scene.Detect()) << penX;
        ASSERT_TRUE(scene.Measure()) << penX;
        EXPECT_NEAR(scene.current.centroidX, penX, 0.1);
        EXPECT_NEAR(scene.current.centroidY, penY, 0.1);
    }
}

// A pen beside or on a bright bar of a dark screen, as a camera whose response squares the
// light and clips sees it: over the bar the glow shows and clips further out, which subtracting
// the screen cannot undo, and a centroid leans into the bar by 0.33-0.43 pixels here. The centre
// still lies on the pen, whether the bar's edge passes 1.2-3.5 pixels from it or the bar covers
// half of it.
TEST(SpotMeasure, PenBesideABrightBarSeenThroughACurvedResponseIsCentredOnThePen) {
    const auto level = [](double radiance) {
        const double s = std::min(radiance, 1.0);
        return static_cast<uchar>(std::clamp(255.0 * (1.2 * s * s - 0.218), 0.0, 255.0) + 0.5);
    };
    const auto penShare = [](double dx, double dy) {  // a core and a glow, over the pixel
        double sum = 0.0;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                const double u = dx + (i + 0.5) / 4 - 0.5, v = dy + (j + 0.5) / 4 - 0.5;
                const double d2 = u * u + v * v;
                sum += 0.8 * std::exp(-d2 / 2) + 0.2 * std::exp(-d2 / 5.76);
            }
        return sum / 16;
    };
    struct Bar { double top, bottom; };  // rows from the pen's centre
    for (const Bar bar : {Bar{1.2, 6.0}, Bar{2.5, 6.0}, Bar{3.5, 6.0}, Bar{-0.5, 3.5}}) {
        for (const double penX : {100.0, 100.3, 100.6}) {
            const double penY = 80.2 + penX - 100.0;
            SpotScene scene;
            FillPlane(scene.images.thresholdImage, 90);
            for (int y = 60; y < 100; ++y) {
                const bool onBar = y - penY >= bar.top - 0.5 && y - penY < bar.bottom;
                const double screen = onBar ? 0.6 : 0.03;
                for (int x = 80; x < 120; ++x) {
                    scene.SetPixel(x, y, SpotScene::kChannel, level(screen + 40.0 * penShare(x - penX, y - penY)));
                    scene.images.backgroundPlane.at<uchar>(y, x) = level(screen);
                }
            }
            ASSERT_TRUE(scene.Detect()) << penX;
            ASSERT_TRUE(scene.Measure()) << penX;
            EXPECT_NEAR(scene.current.centroidX, penX, 0.2) << bar.top << " " << penX;
            EXPECT_NEAR(scene.current.centroidY, penY, 0.2) << bar.top << " " << penX;
        }
    }
}

// A rejected frame counting up is the band test's case above.
TEST(SpotBlocking, ThirtyOneRejectedFramesRaiseTheAlarmOnceAndAcceptedOnesCountDownToZero) {
    BlockingCounter counter;
    int alarms = 0;
    counter.SetAlarm([](void* context) { ++*static_cast<int*>(context); }, &alarms);
    counter.ReportBlocking(-1);  // never below zero
    EXPECT_EQ(counter.Count(), 0);
    for (int i = 0; i < 25; ++i) {
        counter.ReportBlocking(+1);
        if (i % 5 == 0) counter.ReportBlocking(-1);
    }
    EXPECT_EQ(counter.Count(), 20);
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(counter.ReportBlocking(+1));
    EXPECT_TRUE(counter.ReportBlocking(+1));
    EXPECT_EQ(alarms, 1);
    EXPECT_EQ(counter.Count(), 0);
}

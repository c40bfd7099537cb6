#include <gtest/gtest.h>
#include <opencv2/core.hpp>

#include <array>
#include <cmath>
#include <tuple>
#include <vector>
#include <utility>

#include "resources/resource_ids.h"
#include "tracking/brightness_recorder.h"
#include "tracking/gain_evaluation.h"
#include "imaging/plane_operations.h"
#include "tracking/threshold_building.h"

namespace {

// A ring along a rectangle's edge, clockwise from the top-left corner.
CoverageRing RectangleRing(int left, int top, int right, int bottom) {
    CoverageRing ring;
    for (int i = 0; i < 4; ++i) {
        ring[i] = {left + (right - left) * i / 4, top};
        ring[4 + i] = {right, top + (bottom - top) * i / 4};
        ring[8 + i] = {right - (right - left) * i / 4, bottom};
        ring[12 + i] = {left, bottom - (bottom - top) * i / 4};
    }
    return ring;
}

// Sensor pixels stand for desktop pixels.
cv::Point2f SameSpot(float u, float v) { return {u, v}; }

class GainTest : public ::testing::Test {
protected:
    GainTest() {
        images.Allocate(320, 240);
        images.detectionArea = {10, 10, 300, 220};
        ring = RectangleRing(10, 10, 309, 229);
        FillPlane(images.channelPlane, 100);
        settings.gap = 30;
        settings.screenWidth = 320;
        settings.screenHeight = 240;
    }

    void Brighten(const PixelRect& rect, uchar value) {
        images.channelPlane(cv::Rect(rect.x, rect.y, rect.width, rect.height)).setTo(value);
    }

    GainVerdict Evaluate() { return EvaluateGain(images, ring, settings, SameSpot); }
    // Whether the screen was found, the message, and the hot pixels counted.
    using Outcome = std::tuple<bool, int, int>;
    static Outcome OutcomeOf(const GainVerdict& v) { return {v.found, v.messageId, v.hotSpot.count}; }

    FrameImages images;
    CoverageRing ring;
    GainSettings settings;
};

TEST_F(GainTest, GapIsAddedToTheBrightnessAndTheCapMakesHotPixels) {
    FillPlane(images.thresholdImage, 0);
    FillPlane(images.maskPlane, 0);
    const uchar levels[4] = {200, 209, 210, 220};
    for (int i = 0; i < 4; ++i) images.channelPlane.at<uchar>(50, 60 + i) = levels[i];
    EXPECT_EQ(images.BuildThreshold(images.channelPlane, 30, kThresholdLimit), 0);  // 2 hot
    // x, y and the threshold there.
    for (const auto& c : {std::array<int, 3>{60, 50, 230}, {61, 50, 239}, {62, 50, 255}, {100, 100, 130}})
        EXPECT_EQ(images.thresholdImage.at<uchar>(c[1], c[0]), c[2]) << c[0] << "," << c[1];
    EXPECT_EQ(images.maskPlane.at<uchar>(50, 62), 210);

    FillPlane(images.thresholdImage, 0);
    images.channelPlane.at<uchar>(50, 64) = 200;
    images.channelPlane.at<uchar>(50, 65) = 200;
    EXPECT_EQ(images.BuildThreshold(images.channelPlane, 40, kThresholdLimit), 6);
    EXPECT_EQ(images.thresholdImage.at<uchar>(50, 60), 255);

    // Outside the detection area everything is unlightable; inside, what the screen mask
    // closed stays closed.
    FillPlane(images.thresholdImage, 0);
    FillPlane(images.maskPlane, 0);
    images.thresholdImage.at<uchar>(20, 20) = 255;
    images.channelPlane.at<uchar>(20, 20) = 7;
    images.BuildThreshold(images.channelPlane, 30, kThresholdLimit);
    EXPECT_EQ(images.maskPlane.at<uchar>(20, 20), 0);
    EXPECT_EQ(images.maskPlane.at<uchar>(9, 100), 255);
    for (const auto& c : {std::array<int, 3>{100, 9, 255}, {310, 100, 255}, {309, 100, 130}})
        EXPECT_EQ(images.thresholdImage.at<uchar>(c[1], c[0]), c[2]) << c[0] << "," << c[1];
}

// (The dilation's 5 x 5 is met by the hot spots' boxes below.)
TEST_F(GainTest, TheScreenMaskClosesEverythingOutsideTheRing) {
    ApplyScreenMask(images, RectangleRing(50, 40, 150, 140));
    const int cells[][3] = {{50, 40, 0}, {150, 140, 0}, {100, 90, 0}, {100, 39, 255}, {151, 90, 255}};  // x, y, value
    for (const cv::Mat* plane : {&images.thresholdImage, &images.maskPlane})
        for (const auto& c : cells) EXPECT_EQ(plane->at<uchar>(c[1], c[0]), c[2]) << c[0] << "," << c[1];
}

TEST_F(GainTest, PlainScreenIsFoundWithoutMessage) {
    images.channelPlane.at<uchar>(120, 160) = 60;
    EXPECT_EQ(OutcomeOf(Evaluate()), (Outcome{true, 0, 0}));
    // The background spot tracking measures against is the brightness as recorded, unspread.
    EXPECT_EQ(images.backgroundPlane.at<uchar>(120, 160), 60);
    EXPECT_EQ(images.backgroundPlane.at<uchar>(120, 161), 100);
}

// Gain finding's verdict on hot (250) rectangles: the hot pixels are counted after dilation,
// which spreads each over 5 x 5; the box and the share of the screen are checked where given.
TEST_F(GainTest, HotSpotsAreIgnoredReportedOrFailTheScreenByTheirCountAndShare) {
    const PixelRect wholeArea = images.detectionArea, smallArea{10, 10, 200, 100};
    // A negative share is not looked at.
    const struct { const char* what; PixelRect area; std::vector<PixelRect> hot; Outcome expected; PixelRect box;
                   float share; int screenWidth = 320; } cases[] = {
        {"an area of three pixels keeps three", {99, 100, 3, 1}, {{100, 100, 1, 1}}, {true, 0, 0}, {}, -1.0f},
        {"one column of a dilated line", {102, 10, 1, 220}, {{100, 50, 1, 60}}, {true, 0, 0}, {}, -1.0f},
        {"small, dilated to 10 x 8", wholeArea, {{100, 100, 6, 4}}, {true, IDS_SMALL_HOT_SPOT, 80}, {98, 98, 10, 8},
         80.0f / (299.0f * 219.0f)},
        {"beyond the desktop: neither counted nor boxed", wholeArea, {{100, 100, 6, 4}, {280, 100, 20, 20}},
         {true, IDS_SMALL_HOT_SPOT, 80}, {98, 98, 10, 8}, -1.0f, 270},
        {"50 x 52 of 20000 pixels", smallArea, {{52, 52, 46, 48}}, {false, IDS_TOO_MANY_HOT_SPOTS, 2600}, {}, 0.13f},
        {"40 x 40 of 20000 pixels", smallArea, {{52, 52, 36, 36}}, {true, IDS_SMALL_HOT_SPOT, 1600}, {}, -1.0f},
    };
    for (const auto& c : cases) {
        FillPlane(images.channelPlane, 100);
        for (const PixelRect& rect : c.hot) Brighten(rect, 250);
        images.detectionArea = c.area;
        ring = c.area == smallArea ? RectangleRing(10, 10, 210, 110) : RectangleRing(10, 10, 309, 229);
        settings.screenWidth = c.screenWidth;
        const GainVerdict verdict = Evaluate();
        EXPECT_EQ(OutcomeOf(verdict), c.expected) << c.what;
        EXPECT_TRUE(c.box.IsEmpty() || verdict.hotSpot.box == c.box) << c.what;
        EXPECT_TRUE(c.share < 0.0f || std::fabs(verdict.hotSpot.share - c.share) < 7e-6f * c.share) << c.what;
    }
}

// A rectangle's area is met by the hot spots' share above.
TEST_F(GainTest, SkewedRingsHaveTheirAreaAndOneWithoutAreaFailsWhenHotPixelsWereCounted) {
    // A trapezoid: parallel sides 100 and 60, height 40.
    EXPECT_NEAR(QuadArea({0, 0}, {100, 0}, {80, 40}, {20, 40}), 3200.0f, 0.5f);
    Brighten({100, 100, 6, 4}, 250);
    // Crossed corners: the outline still holds the hot spot, the quadrilateral has no area.
    std::swap(ring[8], ring[12]);
    EXPECT_FALSE(QuadArea(ring[0], ring[4], ring[8], ring[12]) > 0.5f);
    const GainVerdict verdict = Evaluate();
    EXPECT_FALSE(verdict.found);
    EXPECT_EQ(verdict.messageId, IDS_TOO_MANY_HOT_SPOTS);
}

TEST(BrightnessRecorderTest, KeepsTheBrightestOfTwentyFramesThenAsksForEvaluation) {
    cv::Mat frame(10, 10, CV_8UC3, cv::Scalar(0, 0, 0));
    cv::Mat accumulator(10, 10, CV_8UC1, cv::Scalar(77));
    BrightnessRecorder recorder;
    recorder.Begin(accumulator);
    EXPECT_EQ(cv::countNonZero(accumulator), 0);
    for (int i = 0; i < BrightnessRecorder::kFrames; ++i) {
        frame.at<cv::Vec3b>(4, 4)[1] = static_cast<uchar>(i == 7 ? 180 : 20 + i);
        EXPECT_FALSE(recorder.Record(frame, accumulator, 1, {0, 0, 10, 10}));
    }
    frame.at<cv::Vec3b>(4, 4)[1] = 250;
    EXPECT_TRUE(recorder.Record(frame, accumulator, 1, {0, 0, 10, 10}));
    EXPECT_EQ(accumulator.at<uchar>(4, 4), 180);
    EXPECT_EQ(accumulator.at<uchar>(4, 5), 0);
}

}  // namespace

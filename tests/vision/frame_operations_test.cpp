// Pixel operations on the frame and on planes: exact values, rectangle bounds and image edges.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>

#include <tuple>
#include <utility>
#include <vector>

#include "synthetic_frame.h"
#include "imaging/frame_images.h"
#include "imaging/frame_operations.h"
#include "imaging/plane_operations.h"

namespace {

// A 40 x 30 frame whose channel c at (x, y) is x + 3y + 60c (mod 256).
class PixelOperations : public ::testing::Test {
protected:
    PixelOperations() : buffer_(40, 30) {
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                for (int c = 0; c < 3; ++c) buffer_.At(x, y, c) = Value(x, y, c);
        images_.SetFormat(buffer_.Format());
        images_.Bind(buffer_.Data());
        FillPlane(images_.channelPlane, 7);
    }
    static std::uint8_t Value(int x, int y, int c) {
        return static_cast<std::uint8_t>(x + 3 * y + 60 * c);
    }
    int Plane(int x, int y) const { return images_.channelPlane.at<uchar>(y, x); }

    SyntheticFrame buffer_;
    FrameImages images_;
};

}  // namespace

TEST_F(PixelOperations, ChannelsAreExtractedMaximisedAndSubtractedInsideTheRectangleOnly) {
    ExtractChannel(images_.frame, images_.channelPlane, 2, {5, 6, 10, 4});
    // The rectangle's first and last pixel take the channel, its neighbours keep the plane's 7.
    for (const auto& [x, y, inside] : {std::tuple{5, 6, true}, {14, 9, true}, {15, 9, false}, {14, 10, false}, {4, 6, false}})
        EXPECT_EQ(Plane(x, y), inside ? Value(x, y, 2) : 7) << x << "," << y;
    ExtractChannel(images_.frame, images_.channelPlane, 3, {0, 0, 40, 30});  // no such channel
    EXPECT_EQ(Plane(0, 0), 7);
    ExtractChannel(images_.frame, images_.channelPlane, 0, {30, 25, 50, 50});  // clipped
    EXPECT_EQ(Plane(39, 29), Value(39, 29, 0));
    FillPlane(images_.channelPlane, 100);
    MaxChannel(images_.frame, images_.channelPlane, 1);
    EXPECT_EQ(Plane(0, 0), 100);                   // frame 60
    EXPECT_EQ(Plane(39, 10), Value(39, 10, 1));    // frame 129
    MaxChannel(images_.frame, images_.channelPlane, 2, {0, 0, 1, 1});
    EXPECT_EQ(Plane(0, 0), 120);
    EXPECT_EQ(Plane(1, 0), 100);
    // Subtraction clamps negative differences to zero.
    cv::Mat& base = images_.workPlane;
    FillPlane(base, 20);
    SubtractChannel(images_.frame, base, images_.channelPlane, {0, 0, 40, 30}, 0);
    for (const auto& [x, y, difference] : {std::tuple{0, 0, 0}, {19, 0, 0}, {21, 0, 1}, {10, 5, 5}})
        EXPECT_EQ(Plane(x, y), difference) << x << "," << y;
}

TEST(PlaneOperations, SubtractPlanesAppliesTheThresholdOrKeepsLowBytes) {
    cv::Mat a = CreatePaddedImage(4, 1, CV_8UC1), b = CreatePaddedImage(4, 1, CV_8UC1);
    cv::Mat d = CreatePaddedImage(4, 1, CV_8UC1);
    const uchar av[4] = {50, 10, 200, 30}, bv[4] = {20, 20, 195, 30};
    for (int x = 0; x < 4; ++x) a.at<uchar>(0, x) = av[x], b.at<uchar>(0, x) = bv[x];
    const auto difference = [&](int threshold) {
        SubtractPlanes(a, b, d, threshold);
        return std::vector<uchar>(d.ptr<uchar>(0), d.ptr<uchar>(0) + 4);
    };
    EXPECT_EQ(difference(6), (std::vector<uchar>{30, 0, 0, 0}));   // 5 < 6
    EXPECT_EQ(difference(0), (std::vector<uchar>{30, 246, 5, 0}));  // -10 kept as a byte
}

TEST_F(PixelOperations, CountLitAtTheThresholdExtremesCrossSumWithinTheFrameAndPlaneMean) {
    // The lit count and the mean of the others over green values 60..63 and 63..66.
    auto lit = [this](int threshold) {
        const LitCount c = CountLit(images_.frame, threshold, {0, 0, 4, 2}, 1);
        return std::make_pair(c.count, c.mean);
    };
    EXPECT_EQ(lit(0), std::make_pair(8, 0));
    EXPECT_EQ(lit(256), std::make_pair(0, (60 + 61 + 62 + 63 + 63 + 64 + 65 + 66) / 8));
    EXPECT_EQ(lit(64), std::make_pair(3, (60 + 61 + 62 + 63 + 63) / 5));
    EXPECT_EQ(CountLit(images_.frame, 0, 0).count, 40 * 30);
    // The cross sum counts only neighbours inside the frame.
    EXPECT_EQ(CrossSum(images_.frame, 0, 0, 0), Value(0, 0, 0) + Value(1, 0, 0) + Value(0, 1, 0));
    EXPECT_EQ(CrossSum(images_.frame, 1, 39, 29), Value(39, 29, 1) + Value(38, 29, 1) + Value(39, 28, 1));
    EXPECT_EQ(CrossSum(images_.frame, 0, 5, 5),
              Value(5, 5, 0) + Value(4, 5, 0) + Value(6, 5, 0) + Value(5, 6, 0) + Value(5, 4, 0));
    // The plane mean averages the rectangle.
    ExtractChannel(images_.frame, images_.channelPlane, 0, images_.FullRect());
    EXPECT_DOUBLE_EQ(PlaneMean(images_.channelPlane, {2, 1, 3, 2}), (5 + 6 + 7 + 8 + 9 + 10) / 6.0);
    EXPECT_EQ(PlaneMean(images_.channelPlane, {2, 1, 0, 2}), 0.0);
}

TEST(PlaneOperations, MarkRectDrawsTheOutlineAndTheCentreCross) {
    cv::Mat frame = CreatePaddedImage(40, 30, CV_8UC3);
    FillPlane(frame, 0);
    const cv::Vec3b yellow(0, 255, 255);
    MarkRect(frame, {10, 5, 11, 9}, cv::Scalar(0, 255, 255), 1, true);
    // The outline's corners (bottom-right at (x+w-1, y+h-1)) and the ends of the cross about the
    // centre (16, 10), rounded half to even; x, y and whether marked.
    const int points[][3] = {{10, 5, 1}, {20, 13, 1}, {21, 14, 0}, {14, 10, 1}, {18, 10, 1}, {16, 8, 1}, {19, 10, 0}, {16, 7, 0}};
    for (const auto& p : points) EXPECT_EQ(frame.at<cv::Vec3b>(p[1], p[0]), p[2] ? yellow : cv::Vec3b()) << p[0] << "," << p[1];
    const cv::Mat before = frame.clone();
    MarkRect(frame, {10, 5, 0, 9}, cv::Scalar(255, 0, 0), 1, true);
    EXPECT_EQ(cv::norm(frame, before, cv::NORM_INF), 0.0);
}

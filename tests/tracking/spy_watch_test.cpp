#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "tracking/spy_watch.h"

namespace {

constexpr int kChannel = 1;

class SpyWatchTest : public ::testing::Test {
protected:
    SpyWatchTest() : frame(240, 320, CV_8UC3, cv::Scalar(0, 40, 0)) {}

    void Brighten(const POINT& point, int by) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                frame.at<cv::Vec3b>(point.y + dy, point.x + dx)[kChannel] =
                    static_cast<uchar>(40 + by);
    }

    // interval + 1 frames, so one check runs; returns the most points any frame counted.
    int RunUntilCheck(int interval) {
        int changed = 0;
        for (int i = 0; i <= interval; ++i) changed = std::max(changed, watch.Check(frame, kChannel));
        return changed;
    }

    const POINT points[4] = {{20, 20}, {300, 20}, {20, 220}, {300, 220}};
    cv::Mat frame;
    SpyWatch watch;
};

TEST_F(SpyWatchTest, ThreePointsBrighteningIsALightChangeAtTheCheckFrame) {
    watch.Configure(points, 4, 50, 5);
    EXPECT_EQ(watch.Check(frame, kChannel), 0);  // takes the references
    for (int i = 0; i < 3; ++i) Brighten(points[i], 60);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(watch.Check(frame, kChannel), 0);
    const int changed = watch.Check(frame, kChannel);  // the sixth frame
    EXPECT_EQ(changed, 3);
    EXPECT_TRUE(SpyWatch::IsLightChange(changed));
    // A restart takes new references from the next frame.
    watch.Restart();
    EXPECT_EQ(RunUntilCheck(5), 0);
}

TEST_F(SpyWatchTest, OneBrightenedPointASmallRiseOrDarkeningIsNoLightChange) {
    watch.Configure(points, 4, 50, 1);
    watch.Check(frame, kChannel);
    Brighten(points[0], 60);
    Brighten(points[1], 50);  // a mean rise of exactly the variance does not count
    Brighten(points[2], 50);
    const int changed = RunUntilCheck(1);
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(SpyWatch::IsLightChange(changed));
    // Darkening never counts.
    watch.Configure(points, 4, 10, 1);
    for (const POINT& point : points) Brighten(point, 100);
    watch.Check(frame, kChannel);
    for (const POINT& point : points) Brighten(point, 0);
    EXPECT_EQ(RunUntilCheck(1), 0);
}

TEST_F(SpyWatchTest, NoVarianceNoIntervalOrTooFewPointsWatchNothing) {
    for (const auto& setting : {std::make_pair(0, 5), std::make_pair(50, 0)}) {
        watch.Configure(points, 4, setting.first, setting.second);
        EXPECT_FALSE(watch.Active());
        watch.Check(frame, kChannel);
        for (const POINT& point : points) Brighten(point, 200);
        EXPECT_EQ(RunUntilCheck(6), 0);
        frame.setTo(cv::Scalar(0, 40, 0));
    }
    watch.Configure(points, 2, 50, 1);
    EXPECT_FALSE(watch.Active());
}

}  // namespace

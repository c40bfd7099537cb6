#include <gtest/gtest.h>

#include "../vision/synthetic_frame.h"
#include "tracking/plane_operations.h"
#include "tracking/spot_tracker.h"

namespace {

constexpr int kChannel = 1;

cv::Point2f Doubled(float u, float v) { return {2.0f * u, 2.0f * v}; }

class SpotTrackerTest : public ::testing::Test {
protected:
    SpotTrackerTest() : buffer(320, 240) {
        images.SetFormat(buffer.Format());
        images.Bind(buffer.Data());
        FillPlane(images.thresholdImage, 100);
        tracker.SetSize(images.Width(), images.Height());
        tracker.Start(kChannel);
        parameters.dilateCount = 0;  // keep neighbouring blobs apart
    }

    bool Track() { return tracker.TrackFrame(images, parameters, Doubled); }

    SyntheticFrame buffer;
    FrameImages images;
    SpotTracker tracker;
    SpotParameters parameters;
};

TEST_F(SpotTrackerTest, SpotCentroidIsMappedAndKeptAsThePreviousSpot) {
    buffer.FillRect({100, 60, 8, 8}, kChannel, 200);
    ASSERT_TRUE(Track());
    EXPECT_FLOAT_EQ(tracker.Current().centroidX, 103.5f);
    EXPECT_FLOAT_EQ(tracker.Current().centroidY, 63.5f);
    EXPECT_FLOAT_EQ(tracker.DesktopPoint().x, 207.0f);
    EXPECT_FLOAT_EQ(tracker.DesktopPoint().y, 127.0f);
    EXPECT_EQ(tracker.Previous().spot, (PixelRect{98, 58, 12, 12}));
    EXPECT_EQ(tracker.Previous().blobCount, 1);
    EXPECT_EQ(tracker.Blocking().Count(), 0);
}

TEST_F(SpotTrackerTest, LostSpotKeepsItsPlaceButNotItsDesktopPoint) {
    buffer.FillRect({100, 60, 8, 8}, kChannel, 200);
    ASSERT_TRUE(Track());
    buffer.Fill(kChannel, 0);
    EXPECT_FALSE(Track());
    EXPECT_EQ(tracker.Previous().blobCount, 0);
    EXPECT_FLOAT_EQ(tracker.Previous().desktopX, -1.0f);
    EXPECT_FLOAT_EQ(tracker.Previous().desktopY, -1.0f);
    EXPECT_EQ(tracker.Previous().spot, (PixelRect{98, 58, 12, 12}));
    EXPECT_FLOAT_EQ(tracker.Previous().centroidX, 103.5f);
}

TEST_F(SpotTrackerTest, LargestBlobWithinReachWinsOverTheNearest) {
    buffer.FillRect({100, 100, 8, 8}, kChannel, 200);  // centroid (103.5, 103.5)
    ASSERT_TRUE(Track());
    buffer.Fill(kChannel, 0);
    // Neither centre lies inside the last spot (98..109); both are within reach (d^2 <= 84.9).
    buffer.FillRect({108, 100, 6, 6}, kChannel, 200);  // 36 pixels, d^2 = 56.5
    buffer.FillRect({92, 98, 6, 12}, kChannel, 200);   // 72 pixels, d^2 = 72.5
    ASSERT_TRUE(Track());
    EXPECT_FLOAT_EQ(tracker.Current().centroidX, 94.5f);
    EXPECT_FLOAT_EQ(tracker.Current().centroidY, 103.5f);
}

TEST_F(SpotTrackerTest, StartForgetsTheLastSpot) {
    buffer.FillRect({100, 60, 8, 8}, kChannel, 200);
    ASSERT_TRUE(Track());
    tracker.Start(2);
    EXPECT_EQ(tracker.Channel(), 2);
    EXPECT_EQ(tracker.Previous().blobCount, -1);
    EXPECT_FLOAT_EQ(tracker.Previous().centroidX, -1.0f);
    EXPECT_FALSE(Track());  // nothing lit in the red channel
}

}  // namespace

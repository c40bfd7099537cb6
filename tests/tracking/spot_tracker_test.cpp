// The pen spot found frame by frame, and tracking on it with the spies watching the room.
#include <gtest/gtest.h>

#include <cmath>

#include "recording_pointer.h"
#include "spot_scene.h"
#include "tracking/pen_tracking.h"
#include "tracking/spot_tracker.h"

namespace {

constexpr int kChannel = SpotScene::kChannel;

cv::Point2f Doubled(float u, float v) { return {2.0f * u, 2.0f * v}; }

class SpotTrackerTest : public ::testing::Test {
protected:
    SpotTrackerTest() {
        tracker.SetSize(320, 240);
        tracker.Start(kChannel);
        parameters.dilateCount = 0;  // keep neighbouring blobs apart
    }

    bool Track() { return tracker.TrackFrame(scene.images, parameters, Doubled); }

    SpotScene scene;
    SpotTracker tracker;
    SpotParameters parameters;
};

TEST_F(SpotTrackerTest, SpotCentroidIsMappedAndKeptAsThePreviousSpotUntilLostOrStartedAgain) {
    scene.Light({100, 60, 8, 8});
    ASSERT_TRUE(Track());
    EXPECT_EQ(cv::Point2f(tracker.Current().centroidX, tracker.Current().centroidY), cv::Point2f(103.5f, 63.5f));
    EXPECT_EQ(tracker.DesktopPoint(), cv::Point2f(207.0f, 127.0f));
    EXPECT_EQ(tracker.Previous().blobCount, 1);
    // Lost, it keeps its place (the spot as detected, grown by two) but not its desktop point.
    scene.Light({0, 0, 320, 240}, 0);
    EXPECT_FALSE(Track());
    EXPECT_EQ(tracker.Previous().blobCount, 0);
    EXPECT_EQ(cv::Point2f(tracker.Previous().desktopX, tracker.Previous().desktopY), cv::Point2f(-1.0f, -1.0f));
    EXPECT_EQ(tracker.Previous().spot, (PixelRect{98, 58, 12, 12}));
    EXPECT_FLOAT_EQ(tracker.Previous().centroidX, 103.5f);
    // Start forgets the last spot.
    scene.Light({100, 60, 8, 8});
    tracker.Start(2);
    EXPECT_EQ(tracker.Previous().blobCount, -1);
    EXPECT_FLOAT_EQ(tracker.Previous().centroidX, -1.0f);
    EXPECT_FALSE(Track());  // nothing lit in the red channel
}

// Gain finding learnt a bright screen; the screen went dark since. A frame with nothing lit
// shows the screen as it is now, and the pen is weighed against that.
TEST_F(SpotTrackerTest, AFrameWithNothingLitRenewsTheScreenThePenIsWeighedAgainst) {
    const auto centroidAfter = [&](bool nothingLitFirst, uchar learnt) {
        SpotScene fresh;
        FillPlane(fresh.images.backgroundPlane, learnt);
        SpotTracker seen;
        seen.SetSize(320, 240);
        seen.Start(kChannel);
        if (nothingLitFirst) {
            EXPECT_FALSE(seen.TrackFrame(fresh.images, parameters, Doubled));
        }
        fresh.Light({100, 60, 8, 8}, 200);
        fresh.Light({108, 60, 2, 8}, 130);
        EXPECT_TRUE(seen.TrackFrame(fresh.images, parameters, Doubled));
        return seen.Current().centroidX;
    };
    EXPECT_FLOAT_EQ(centroidAfter(true, 60), centroidAfter(false, 0));
    EXPECT_GT(std::fabs(centroidAfter(false, 60) - centroidAfter(false, 0)), 0.1f);
}

TEST(PenTracking, ALightChangeSendsNothingAndLeavesTheButtonAlone) {
    SpotScene scene;
    scene.Light({0, 0, 320, 240}, 60);
    const POINT spyPoints[4] = {{5, 5}, {314, 5}, {5, 234}, {314, 234}};
    PenTracking tracking;
    tracking.SetSize(320, 240);
    tracking.ChooseSpyPoints(spyPoints, 4, 50, 1);
    tracking.Start(kChannel, 640, 480);
    RecordingPointer pointer;
    scene.Light({100, 60, 8, 8});
    // The spies take their references on the first frame.
    EXPECT_EQ(tracking.Step(scene.images, SpotParameters(), Doubled, pointer), TrackOutcome::kSpot);
    for (const POINT& p : spyPoints) scene.Light({p.x - 1, p.y - 1, 3, 3}, 120);
    EXPECT_EQ(tracking.Step(scene.images, SpotParameters(), Doubled, pointer), TrackOutcome::kLightChange);
    EXPECT_EQ(pointer.events.size(), 1u);
    EXPECT_TRUE(pointer.LeftHeld());
}

}  // namespace

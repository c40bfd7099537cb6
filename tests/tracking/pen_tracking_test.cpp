#include <gtest/gtest.h>

#include "spot_scene.h"
#include "recording_pointer.h"
#include "tracking/pen_tracking.h"

namespace {

constexpr int kChannel = SpotScene::kChannel;

cv::Point2f Tripled(float u, float v) { return {3.0f * u, 3.0f * v}; }

class PenTrackingTest : public ::testing::Test {
protected:
    PenTrackingTest() {
        scene.Light({0, 0, 320, 240}, 60);
        tracking.SetSize(320, 240);
        tracking.ChooseSpyPoints(spyPoints, 4, 50, 1);
        tracking.Start(kChannel, 960, 720);
    }

    TrackOutcome Step() { return tracking.Step(scene.images, SpotParameters(), Tripled, pointer); }

    const POINT spyPoints[4] = {{5, 5}, {314, 5}, {5, 234}, {314, 234}};
    SpotScene scene;
    PenTracking tracking;
    RecordingPointer pointer;
};

TEST_F(PenTrackingTest, LightChangeSendsNothingAndLeavesTheButtonAlone) {
    scene.Light({100, 60, 8, 8});
    EXPECT_EQ(Step(), TrackOutcome::kSpot);  // references taken here
    for (const POINT& p : spyPoints) scene.Light({p.x - 1, p.y - 1, 3, 3}, 120);
    EXPECT_EQ(Step(), TrackOutcome::kLightChange);
    EXPECT_EQ(pointer.events.size(), 1u);
    EXPECT_TRUE(pointer.LeftHeld());
}

}  // namespace

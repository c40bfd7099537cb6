// Gain finding and tracking run by the Controller on frames delivered from a second thread:
// the steps' order, the verdicts handed to the UI thread, and the pen reaching the pointer.
#include "controller_fixture.h"
#include "resources/resource_ids.h"

#include <algorithm>

namespace {

constexpr int kRed = 2;
// Settle waits off, sensor steps (two), clearing, twenty recorded frames: the next one evaluates.
constexpr int kFramesBeforeVerdict = 23;

class GainAndTrack : public ControllerFixture {
protected:
    GainAndTrack() {
        // The sensor looks straight at a 1024 x 768 desktop that fills 84 % of its width.
        const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f};
        ScreenMapping& mapping = ControllerTestAccess::Mapping(controller);
        mapping.SetProfiles(&lens, 1);
        mapping.SelectProfile(0);
        ControllerTestAccess::Camera(controller).SetPose({-512.0f, -384.0f, 1142.0f, 0.0f, 0.0f, 0.0f});
        CoreParameterRecord& parameters = controller.CoreParameters();
        parameters.findThreshold[0].range = 0;
        parameters.tracking.spyInterval = 1;
        ShowWindow(window, SW_SHOWNORMAL);
        SetMode(Mode::Idle, 0, true, false);
    }

    // Red channel of the frame-buffer pixels x0..x0+size-1, y0..y0+size-1.
    void Light(int x0, int y0, int size, BYTE value) {
        for (int y = y0; y < y0 + size; ++y)
            for (int x = x0; x < x0 + size; ++x) frame[(static_cast<size_t>(y) * 320 + x) * 3 + kRed] = value;
    }

    // Gain finding over the current frame; true when the step ended on the last frame.
    bool FindGain() {
        controller.EnterMode(Mode::FindGain);
        TakeNotifications();
        DeliverFrames(kFramesBeforeVerdict);
        if (!TakeNotifications().empty()) return false;
        DeliverFrames(1);
        return TakeNotifications() ==
               Notifications{{NotifyStepEnded, static_cast<LPARAM>(Mode::FindGain)}};
    }
};

TEST_F(GainAndTrack, PlainScreenIsFoundOnTheTwentyFirstRecordingFrameThenThePenPressesAndReleases) {
    ASSERT_TRUE(FindGain());
    EXPECT_EQ(controller.Modes().gainFindingStep, 5);
    EXPECT_EQ(controller.PendingMessage(), 0);
    EXPECT_EQ(controller.HotSpot().count, 0);
    controller.OnStepEnded();
    ASSERT_EQ(controller.CurrentMode(), Mode::Track);
    EXPECT_TRUE(IsIconic(window));
    const Notifications notes = TakeNotifications();
    EXPECT_NE(std::find(notes.begin(), notes.end(),
                        std::make_pair(static_cast<WPARAM>(NotifyInformation), static_cast<LPARAM>(Mode::Track))),
              notes.end());

    // The pen spot presses where it maps; its loss releases and forgets the position.
    Light(157, 117, 7, 255);
    DeliverFrames(1);
    const cv::Point2f expected = controller.SensorToDesktop(160.0f, 120.0f);
    EXPECT_TRUE(controller.Pointer().LeftHeld());
    EXPECT_NEAR(controller.Pointer().LastX(), expected.x, 1.0f);
    EXPECT_NEAR(controller.Pointer().LastY(), expected.y, 1.0f);
    EXPECT_EQ(controller.Tracking().Pen().OnScreenResult(), PenGesture::kOnScreen);

    Light(157, 117, 7, 0x30);
    DeliverFrames(1);
    EXPECT_FALSE(controller.Pointer().LeftHeld());
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    EXPECT_EQ(controller.Pointer().LastX(), -1.0f);
    EXPECT_EQ(controller.Tracking().Pen().OnScreenResult(), PenGesture::kLost);
    EXPECT_EQ(controller.CurrentMode(), Mode::Track);
}

TEST_F(GainAndTrack, SmallHotSpotIsBoxedAndStillEndsOnTheTwentyFirstRecordingFrame) {
    Light(145, 105, 30, 255);
    ASSERT_TRUE(FindGain());
    EXPECT_EQ(controller.PendingMessage(), IDS_SMALL_HOT_SPOT);
    EXPECT_EQ(controller.HotSpot().count, 34 * 34);
    EXPECT_EQ(controller.HotSpot().box, (PixelRect{143, 103, 34, 34}));
}

TEST_F(GainAndTrack, BrighterRoomAtTheSpyPointsEndsTrackingWithTheLightMessage) {
    ASSERT_TRUE(FindGain());
    controller.OnStepEnded();
    ASSERT_EQ(controller.Tracking().Spies().Count(), 4);
    TakeNotifications();
    DeliverFrames(1);  // the references; with an interval of 1 every second frame is checked
    EXPECT_TRUE(TakeNotifications().empty());
    std::fill(frame.begin(), frame.end(), BYTE{0xC0});
    DeliverFrames(1);
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyStepEnded, static_cast<LPARAM>(Mode::Track)}}));
    EXPECT_EQ(controller.PendingMessage(), IDS_LIGHT_CHANGED);
    EXPECT_TRUE(controller.Paused());
}

}  // namespace

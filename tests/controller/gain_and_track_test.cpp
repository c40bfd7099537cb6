// Tracking in the Controller around gain finding and the pen (messages while tracking, a new
// desktop size, a new frame layout) on frames delivered from a second thread. (Gain finding's
// verdicts are tests/tracking's; the pen pressing where it is, the end-to-end scenarios'.)
#include "controller_fixture.h"
#include "desktop_test_support.h"
#include "resources/dialog_ids.h"

#include <thread>
#include <vector>

namespace {

// Tracking in the Controller with the pen down on the middle of the sensor picture.
class GainAndTrack : public ControllerFixture {
protected:
    GainAndTrack() {
        SetMode(Mode::Track, true, true);
        // Tracking minimised the window; the user brings it back.
        controller.EnterMode(Mode::Track);
        PenDown();
    }

    // Closes every box the call shows; settings dialogs are handed to `fill` and confirmed. Expects
    // the message showing `text`, and the frames held and the pen released under every message.
    void ExpectQuietUnderMessage(const std::function<void()>& call, const std::function<bool(HWND)>& fill,
                                 const wchar_t* text) {
        std::vector<std::wstring> messages;
        bool quiet = true;
        {
            testsupport::BoxDismisser boxes([&](HWND box) {
                if (fill(box)) return;
                messages.push_back(testsupport::WindowTexts(box));
                quiet = quiet && LeftButtonIs(false) && !PenPresses();
            });
            call();
        }
        ASSERT_FALSE(messages.empty());
        EXPECT_NE(messages.front().find(text), std::wstring::npos);
        EXPECT_TRUE(quiet) << "frames held and pen released under the message";
    }
};

TEST_F(GainAndTrack, MessagesWhileTrackingComeWithThePenReleasedAndTheFramesHeld) {
    {
        SCOPED_TRACE("10041: the display aspect changed");
        records.displayAspect = {4.0f, 3.0f, 0};
        ExpectQuietUnderMessage([&] { controller.OnAspectSettingChanged(); },
                                [](HWND box) {
                                    if (!GetDlgItem(box, IDC_ASPECT_WIDTH)) return false;
                                    SetDlgItemTextW(box, IDC_ASPECT_WIDTH, L"16");
                                    SetDlgItemTextW(box, IDC_ASPECT_HEIGHT, L"10");
                                    return true;
                                },
                                L"Display's aspect ratio setting has changed.");
        EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyModeRequest, static_cast<LPARAM>(Mode::AutoAlignment)}}));
    }
    {
        SCOPED_TRACE("10042: the track gain level changed");
        // The dialog offers level 2 while tracking runs at level 3, and OK takes it.
        records.options.trackGainLevel = 2;
        controller.EnterMode(Mode::Track);
        PenDown();
        ExpectQuietUnderMessage([&] { controller.OnGainSettingChanged(); },
                                [](HWND box) { return GetDlgItem(box, IDC_GAIN_MEDIUM) != nullptr; }, L"#10042");
        EXPECT_TRUE(PenPresses()) << "the frames run again";
        EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyModeRequest, static_cast<LPARAM>(Mode::FindGain)}}));
    }
}

TEST_F(GainAndTrack, ANewDesktopSizeTheStoredAlignmentCannotFollowAsksForANewOne) {
    // The stored alignment has lost its corners since it was re-applied.
    records.alignmentResult.posePoints.count = 0;
    model.geometry.SetDesktop(GetSystemMetrics(SM_CXSCREEN) / 2, 300);
    ExpectQuietUnderMessage([&] { controller.OnDisplayChange(); }, [](HWND) { return false; },
                            L"Desktop resolution is changed.");
    EXPECT_FALSE(PenPresses()) << "held until the main window makes the requested Mode change";
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyModeRequest, static_cast<LPARAM>(Mode::DefaultAlignment)}}));
}

TEST_F(GainAndTrack, ANewFrameLayoutWhileTrackingHoldsTheFramesUntilTheGainIsFoundAgain) {
    std::thread([this] { controller.ChangeFormat(FrameFormat(160, 120)); }).join();
    DeliverFrames(2);
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyFormatChanged, 0}}));

    controller.OnFormatChanged();
    EXPECT_EQ(controller.CurrentMode(), Mode::FindGain);
    EXPECT_TRUE(controller.WaitCursor());
    EXPECT_TRUE(LeftButtonIs(false));
    // One frame before its verdict another layout comes: the frames wait for the main window,
    // and gain finding starts again on the new layout.
    DeliverFrames(kGainFindingFrames - 1);
    std::thread([this] { controller.ChangeFormat(FrameFormat(320, 240)); }).join();
    DeliverFrames(2);
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyFormatChanged, 0}}));
    controller.OnFormatChanged();
    ExpectVerdictOnTheLastFrame();

    // In Idle the frames simply go on in the new layout.
    controller.EnterMode(Mode::Idle);
    std::thread([this] { controller.ChangeFormat(FrameFormat(320, 240)); }).join();
    controller.OnFormatChanged();
    EXPECT_EQ(controller.CurrentMode(), Mode::Idle);
}

}  // namespace

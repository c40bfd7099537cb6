// Gain finding and tracking: their runs driven directly on synthetic frames of a sensor straight
// in front of a 1024 x 768 desktop, then the Controller around them (messages while tracking, a
// new desktop size, a new frame layout) on frames delivered from a second thread.
#include "controller_fixture.h"
#include "controller/gain_run.h"
#include "controller/track_run.h"
#include "desktop_test_support.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace {

constexpr int kRed = 2;

// Red channel of the frame-buffer pixels x0..x0+size-1, y0..y0+size-1.
void Light(std::vector<BYTE>& frame, int x0, int y0, int size, BYTE value) {
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x) frame[(static_cast<size_t>(y) * 320 + x) * 3 + kRed] = value;
}

struct NoTimer : SettleWait::Timer {
    bool OnOwnThread() const override { return false; }
    UINT_PTR Set(UINT) override { return 0; }
    void Kill(UINT_PTR) override {}
};

class GainAndTrackRuns : public ::testing::Test {
protected:
    GainAndTrackRuns() : frame(320 * 240 * 3, 0x30) {
        // The sensor looks straight at a 1024 x 768 desktop that fills 84 % of its width.
        const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f};
        mapping.SetProfiles(&lens, 1);
        mapping.SelectProfile(0);
        camera.SetPose({-512.0f, -384.0f, 1142.0f, 0.0f, 0.0f, 0.0f});
        parameters.findThreshold[0].range = 0;
        parameters.tracking.spyInterval = 1;
        images.Allocate(320, 240);
        pointer.Reset();
        gainRun.Start(trackRun.ChooseArea(camera, geometry, parameters.tracking, images), kScreenWidth,
                      kScreenHeight);
    }

    StepResult Deliver(int count, bool tracking = false) {
        StepResult result = StepResult::KeepGoing;
        for (int i = 0; i < count; ++i) {
            images.Bind(frame.data());
            result = tracking ? trackRun.Step(images) : gainRun.Step(images);
            images.Bind(nullptr);
        }
        return result;
    }

    // Gain finding over the current frame; true when the run ended found on the last frame.
    bool FindGain() {
        return Deliver(kGainFindingFrames - 1) == StepResult::KeepGoing &&
               Deliver(1) == StepResult::Succeeded && gainRun.Found();
    }

    const ImagingParameters& Row() const { return parameters.findThreshold[3]; }

    static constexpr int kScreenWidth = 1024;
    static constexpr int kScreenHeight = 768;
    std::vector<BYTE> frame;
    CameraModel camera;
    DisplayGeometry geometry;
    PatternScreen pattern;
    ScreenMapping mapping{camera, geometry, pattern};
    CoreParameterRecord parameters = DefaultCoreParameters();
    FrameImages images;
    SensorDevice sensor;
    NoTimer timer;
    SettleWait settle{timer};
    PointerInput pointer;
    GainRun gainRun{sensor.Properties(), settle, parameters,
                    [this]() -> const ImagingParameters& { return Row(); },
                    [this](float u, float v) { return mapping.SensorToDesktop(u, v); }};
    TrackRun trackRun{pointer, [this](float u, float v) { return mapping.SensorToDesktop(u, v); }};
};

TEST_F(GainAndTrackRuns, PlainScreenIsFoundThenThePenPressesAndReleases) {
    testsupport::CursorLock cursor;
    ASSERT_TRUE(FindGain());
    EXPECT_EQ(gainRun.Verdict().messageId, 0);
    EXPECT_EQ(gainRun.Verdict().hotSpot.count, 0);
    trackRun.Start(parameters.tracking, Row().channel, 320, 240, kScreenWidth, kScreenHeight);

    // The pen spot presses where it maps; its loss releases and forgets the position.
    Light(frame, 157, 117, 7, 255);
    EXPECT_EQ(Deliver(1, true), StepResult::KeepGoing);
    const cv::Point2f expected = mapping.SensorToDesktop(160.0f, 120.0f);
    EXPECT_TRUE(pointer.LeftHeld());
    EXPECT_NEAR(pointer.LastX(), expected.x, 1.0f);
    EXPECT_NEAR(pointer.LastY(), expected.y, 1.0f);

    Light(frame, 157, 117, 7, 0x30);
    EXPECT_EQ(Deliver(1, true), StepResult::KeepGoing);
    EXPECT_FALSE(pointer.LeftHeld());
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    EXPECT_EQ(pointer.LastX(), -1.0f);
}

TEST_F(GainAndTrackRuns, SmallHotSpotIsBoxedAndStillEndsOnTheTwentyFirstRecordingFrame) {
    Light(frame, 145, 105, 30, 255);
    ASSERT_TRUE(FindGain());
    EXPECT_EQ(gainRun.Verdict().messageId, IDS_SMALL_HOT_SPOT);
    EXPECT_EQ(gainRun.Verdict().hotSpot.count, 34 * 34);
    EXPECT_EQ(gainRun.Verdict().hotSpot.box, (PixelRect{143, 103, 34, 34}));
}

// Tracking in the Controller with the pen down on the middle of the sensor picture.
class GainAndTrack : public ControllerFixture {
protected:
    GainAndTrack() {
        SetMode(Mode::Track, true, true);
        // Tracking minimised the window; the user brings it back.
        controller.EnterMode(Mode::Track);
        PenDown();
    }

    // The pen lifted and put down again: true when that pressed the button, as it does while
    // the frames run.
    bool PenPresses() {
        for (const BYTE level : {BYTE{0x30}, BYTE{255}}) {
            Light(frame, 157, 117, 7, level);
            DeliverFrames(1);
        }
        return LeftButtonIs(true);
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

// The Controller's side of the screen-correction panel: Track only, the arrow keys tune the
// correction the pen goes through, the values reach the file on Esc, on leaving Track and at
// shutdown; and a screenshot of the Track picture with the panel open.
#include "controller_fixture.h"
#include "controller/tuning_panel_picture.h"
#include "pixel_canvas.h"

#include <string>

namespace {

class Tuning : public ControllerFixture {
protected:
    Tuning() {
        ControllerTestAccess::Correction(controller) = ScreenCorrection::Defaults(1024, 768);
    }

    ScreenCorrection& Correction() { return ControllerTestAccess::Correction(controller); }
    std::string SavedFile() const { return testsupport::ReadBytes(kScreenCorrectionFileName); }
};

TEST_F(Tuning, PanelOpensOnlyInTrack) {
    for (Mode mode : {Mode::Idle, Mode::AutoAlignment, Mode::ManualAlignment, Mode::FindGain}) {
        SetMode(mode, 1, true, true);
        controller.ShowTuningPanel(true);
        EXPECT_FALSE(controller.TuningPanelOpen()) << static_cast<int>(mode);
        controller.AdjustTuning(VK_RIGHT);
        EXPECT_FALSE(Correction().modified);
    }
    SetMode(Mode::Track, 1, true, true);
    controller.ShowTuningPanel(true);
    EXPECT_TRUE(controller.TuningPanelOpen());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
}

TEST_F(Tuning, ArrowsTuneTheCorrectionThePenGoesThroughAndEscWritesIt) {
    SetMode(Mode::Track, 1, true, true);
    controller.ShowTuningPanel(true);
    // Line 5 is k1: one step of 0.001 bends the pen's desktop point away from the centre.
    for (int i = 0; i < 4; ++i) controller.AdjustTuning(VK_DOWN);
    controller.AdjustTuning(VK_RIGHT);
    EXPECT_NEAR(Correction().values[ScreenCorrection::kK1], 0.001f, 1e-7f);
    EXPECT_TRUE(Correction().modified);
    const cv::Point2f corner = Correction().Apply({0.0f, 0.0f});
    EXPECT_LT(corner.x, 0.0f);
    EXPECT_LT(corner.y, 0.0f);
    EXPECT_EQ(SavedFile(), "");

    controller.ShowTuningPanel(false);
    EXPECT_FALSE(controller.TuningPanelOpen());
    EXPECT_FALSE(Correction().modified);
    EXPECT_EQ(SavedFile(),
              "1= 512\r\n2= 384\r\n3= 512\r\n4= 384\r\n5= 0.001\r\n6= 0\r\n7= 0\r\n8= 0\r\n9= 0\r\n"
              "a= 0\r\n");
    // Closed again, the arrows do nothing.
    controller.AdjustTuning(VK_RIGHT);
    EXPECT_NEAR(Correction().values[ScreenCorrection::kK1], 0.001f, 1e-7f);
}

TEST_F(Tuning, LeavingTrackClosesThePanelAndKeepsTheValues) {
    SetMode(Mode::Track, 1, true, true);
    controller.ShowTuningPanel(true);
    controller.AdjustTuning(VK_UP);
    controller.AdjustTuning(VK_LEFT);
    controller.EnterMode(Mode::Idle);
    EXPECT_EQ(controller.CurrentMode(), Mode::Idle);
    EXPECT_FALSE(controller.TuningPanelOpen());
    EXPECT_NE(SavedFile().find("a= -0.1\r\n"), std::string::npos);
}

TEST_F(Tuning, ShutdownWritesValuesChangedButNotYetWritten) {
    SetMode(Mode::Track, 1, true, true);
    controller.ShowTuningPanel(true);
    controller.AdjustTuning(VK_RIGHT);
    controller.Shutdown();
    EXPECT_EQ(SavedFile().substr(0, 10), "1= 512.1\r\n");
}

TEST_F(Tuning, TrackPictureWithThePanelOpenScreenshot) {
    ShowWindow(window, SW_RESTORE);
    SetWindowPos(window, HWND_TOP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW);
    RECT client = {};
    GetClientRect(window, &client);
    ControllerTestAccess::PrepareScreen(controller);
    AimCamera();
    // The stored corners, 128 pixels apart, as the straight camera saw them; a little barrel
    // correction makes the pointer land away from the outer ones.
    PosePoints& corners = controller.AlignmentResult().posePoints;
    corners.count = 35;
    for (int i = 0; i < 35; ++i) {
        const float x = 128.0f * static_cast<float>(i % 7 + 1);
        const float y = 128.0f * static_cast<float>(i / 7 + 1);
        corners.objectPoints[i] = {x, y, 0.0f};
        corners.imagePoints[i] = controller.Camera().ProjectBoardPoint(x, y);
    }
    Correction().values[ScreenCorrection::kK1] = 0.02f;
    SetMode(Mode::Track, 1, true, true);
    controller.ShowTuningPanel(true);
    controller.AdjustTuning(VK_DOWN);

    // The new size and whatever the window had pending settle first; then the picture goes on
    // the screen.
    PumpMessages(500);
    {
        WindowDc dc(window);
        controller.Paint(dc.Get());
    }
    GdiFlush();
    PumpMessages(300);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    testsupport::PixelCanvas screen(client.right, client.bottom);
    ASSERT_TRUE(screen.CopyFromScreen(origin));
    EXPECT_TRUE(screen.Save(testsupport::BuildFolder() + L"track_tuning_panel.bmp"));

    const RECT panel = TuningPanel::Placement(client);
    EXPECT_EQ(screen.At(panel.right - 5, panel.bottom - 5), kTuningPanelFill);
    EXPECT_GT(screen.Count(panel, TuningPanel::kSelectedColour), 30);
    EXPECT_GT(screen.Count(panel, TuningPanel::kLineColour), 300);
    EXPECT_GE(screen.Count(client, kCornerLandingColour), 30 * 17);
}

}  // namespace

// The Controller's side of the screen-correction panel: Track only, drawn over the Track
// picture, the arrow keys tune the correction the pen goes through, the values reach the file
// on Esc, on leaving Track and at shutdown.
#include "controller_fixture.h"
#include "controller/tuning_panel_picture.h"
#include "pixel_canvas.h"

#include <string>

namespace {

using Tuning = ControllerFixture;

TEST_F(Tuning, PanelOpensOnlyInTrackAndItsValuesAreWrittenOnEscOnLeavingTrackAndAtShutdown) {
    model.screenCorrection = ScreenCorrection::Defaults(1024, 768);
    const auto savedFile = [] { return testsupport::ReadBytes(kScreenCorrectionFileName); };
    // Opens the panel in Track and steps the selected value; nothing is written yet.
    const auto tune = [&] {
        controller.ShowTuningPanel(true);
        ASSERT_TRUE(controller.TuningPanelOpen());
        controller.AdjustTuning(VK_RIGHT);
        EXPECT_TRUE(model.screenCorrection.modified);
        EXPECT_EQ(savedFile(), "");
    };
    SetMode(Mode::Idle, true);
    // The alignments last: they drop the alignment gain finding needs.
    for (Mode mode : {Mode::Idle, Mode::FindGain, Mode::AutoAlignment, Mode::ManualAlignment}) {
        controller.EnterMode(mode);
        controller.ShowTuningPanel(true);
        EXPECT_FALSE(controller.TuningPanelOpen()) << static_cast<int>(mode);
        controller.AdjustTuning(VK_RIGHT);
        EXPECT_FALSE(model.screenCorrection.modified);
    }

    SetMode(Mode::Track, true, true);
    tune();
    // Tracking minimised the window; the panel brought it back, drawn over Track with where
    // each stored corner lands.
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    RECT client{};
    GetClientRect(window, &client);
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    controller.Paint(canvas.Dc());
    EXPECT_TRUE(canvas.Save(testsupport::BuildFolder() + L"track_tuning_panel.bmp"));
    const RECT panel = TuningPanel::Placement(client);
    EXPECT_EQ(canvas.At(panel.right - 5, panel.bottom - 5), kTuningPanelFill);
    EXPECT_GE(canvas.Count(client, kCornerLandingColour), 30 * 17);
    controller.ShowTuningPanel(false);
    EXPECT_FALSE(controller.TuningPanelOpen());
    EXPECT_FALSE(model.screenCorrection.modified);
    EXPECT_NE(savedFile().find("1= 512.1\r\n"), std::string::npos);

    for (const bool shutdown : {false, true}) {
        SCOPED_TRACE(shutdown ? "shutdown" : "leaving Track");
        ASSERT_TRUE(testsupport::WriteBytes(kScreenCorrectionFileName, "", 0));
        controller.EnterMode(Mode::Track);
        tune();
        if (shutdown) {
            controller.Shutdown();
        } else {
            controller.EnterMode(Mode::Idle);
            EXPECT_FALSE(controller.TuningPanelOpen());
        }
        EXPECT_NE(savedFile(), "");
    }
}

}  // namespace

// The Controller's side of the screen-correction panel: Track only, the arrow keys tune the
// correction the pen goes through, the values reach the file on Esc, on leaving Track and at
// shutdown.
#include "controller_fixture.h"

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

TEST_F(Tuning, PanelOpensOnlyInTrackWhereTheArrowsTuneTheCorrectionAndEscWritesIt) {
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

    // Line 5 is k1, stepped by 0.001.
    for (int i = 0; i < 4; ++i) controller.AdjustTuning(VK_DOWN);
    controller.AdjustTuning(VK_RIGHT);
    EXPECT_NEAR(Correction().values[ScreenCorrection::kK1], 0.001f, 1e-7f);
    EXPECT_TRUE(Correction().modified);
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

TEST_F(Tuning, LeavingTrackOrShuttingDownClosesThePanelAndWritesItsValues) {
    SetMode(Mode::Track, 1, true, true);
    controller.ShowTuningPanel(true);
    controller.AdjustTuning(VK_UP);
    controller.AdjustTuning(VK_LEFT);
    controller.EnterMode(Mode::Idle);
    EXPECT_EQ(controller.CurrentMode(), Mode::Idle);
    EXPECT_FALSE(controller.TuningPanelOpen());
    EXPECT_NE(SavedFile().find("a= -0.1\r\n"), std::string::npos);

    // Changed but not yet written when the program ends.
    SetMode(Mode::Track, 1, true, true);
    controller.ShowTuningPanel(true);
    controller.AdjustTuning(VK_RIGHT);
    controller.Shutdown();
    EXPECT_NE(SavedFile().find("a= 0\r\n"), std::string::npos);
}

}  // namespace

// Auto alignment in the Controller, driven on the UI thread: what a run starts with, the
// trigger, and how the end of a run is concluded.
#include "controller_fixture.h"
#include "desktop_test_support.h"

#include "alignment/pattern_screen.h"

namespace {

using AutoAlignment = ControllerFixture;

}  // namespace

TEST_F(AutoAlignment, StartDropsTheFlagsAndTheTriggerShowsWhiteAndWaitsForTheSensorProperties) {
    SetMode(Mode::Idle, 0, true, true);
    controller.EnterMode(Mode::AutoAlignment);
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 1);
    EXPECT_EQ(controller.Modes().alignmentUsable, 0);
    EXPECT_EQ(controller.Modes().gainFound, 0);
    EXPECT_EQ(controller.Pattern().Kind(), kPatternChessboard);
    EXPECT_EQ(controller.AutoAlignment().minCorners, 17);
    EXPECT_EQ(controller.AutoAlignment().channel, controller.CoreParameters().alignment[3].channel);

    controller.OnTrigger(WM_LBUTTONDOWN, true);
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 2);
    EXPECT_EQ(controller.Pattern().Kind(), kPatternWhite);
    EXPECT_EQ(controller.Pattern().Level(), PatternScreen::kDefaultLevel);
    // The shipped settle time of 500 ms runs as a FrameTimer; frames meanwhile do nothing.
    EXPECT_TRUE(controller.SettleTimerRunning());
    DeliverFrames(3);
    EXPECT_EQ(controller.Pattern().Kind(), kPatternWhite);

    PumpMessages(700);
    EXPECT_FALSE(controller.SettleTimerRunning());
    // The first frame after the wait takes the white reference and shows black.
    DeliverFrames(1);
    EXPECT_EQ(controller.Pattern().Kind(), kPatternBlack);
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 2);
    EXPECT_GT(controller.SettleFrames(), 0);
}

TEST_F(AutoAlignment, DarkSensorFailsInStepSevenThenTheMessageAndARetryLeaveNoUsableAlignment) {
    controller.CoreParameters().alignment[0].range = 0;  // property waits skip no frame
    controller.CoreParameters().misc.chbSkips = 1;
    controller.AlignmentResult().accuracy.grade = AccuracyGrade::Good;
    SetMode(Mode::Idle, 0, true, true);
    controller.EnterMode(Mode::AutoAlignment);
    controller.OnTrigger(WM_LBUTTONDOWN, true);
    // A uniform frame: no screen, no board, no corner.
    for (int i = 0; i < 400 && !controller.Paused(); ++i) DeliverFrames(1);
    EXPECT_TRUE(controller.Paused());
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 7);
    EXPECT_EQ(controller.PendingMessage(), 10020);
    EXPECT_EQ(controller.AutoAlignment().stepFound, 0);
    // More than 17 corners lost ends the run at the 18th shown corner.
    EXPECT_EQ(controller.Pattern().Level(), 17);
    const auto notifications = TakeNotifications();
    ASSERT_FALSE(notifications.empty());
    EXPECT_EQ(notifications.back().first, static_cast<WPARAM>(NotifyStepEnded));

    testsupport::BoxDismisser boxes;
    controller.OnStepEnded();
    // The failure message, then the manual-or-again question (closed without Yes: again).
    EXPECT_EQ(boxes.BoxesClosed(), 2);
    EXPECT_EQ(controller.CurrentMode(), Mode::AutoAlignment);
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 1);
    EXPECT_EQ(controller.Modes().alignmentUsable, 0);
    EXPECT_FALSE(controller.CanEnterMode(Mode::FindGain));
    EXPECT_EQ(controller.Pattern().Kind(), kPatternChessboard);
    EXPECT_FALSE(controller.Paused());
}

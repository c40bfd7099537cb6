// Manual alignment driven by synthetic frames from a second thread: a dim screen for the
// threshold learning, then a bright pen spot moved over it.
#include "controller_fixture.h"

#include "desktop_test_support.h"

namespace {

constexpr BYTE kScreenLevel = 0x30;
constexpr int kPenSize = 7;

class ManualAlignmentFlow : public ControllerFixture {
protected:
    void NoPen() { std::fill(frame.begin(), frame.end(), kScreenLevel); }

    // A lit square whose top-left pixel is (x, y); its centre is (x + 3.5, y + 3.5).
    void PenAt(int x, int y) {
        NoPen();
        for (int row = y; row < y + kPenSize; ++row)
            std::fill_n(frame.begin() + (row * 320 + x) * 3, kPenSize * 3, BYTE{255});
    }

    // Sensor position of the pen for the k-th dot: a 3 x 3 grid inside the detection area.
    static cv::Point PenFor(int k) { return {60 + 90 * (k % 3), 50 + 60 * (k / 3)}; }

    // Enters the Mode, starts it and lets it learn the empty screen up to the dot input.
    void StartDotInput() {
        SetMode(Mode::Idle);
        controller.EnterMode(Mode::ManualAlignment);
        ASSERT_EQ(controller.Modes().manualAlignmentStep, 1);
        controller.OnTrigger(WM_LBUTTONDOWN, true);
        ASSERT_EQ(controller.Modes().manualAlignmentStep, 2);
        NoPen();
        DeliverFrames(1);
        // The picture controls' settle time of the default parameters.
        Sleep(550);
        DeliverFrames(1 + 20 + 1);
        ASSERT_EQ(controller.Modes().manualAlignmentStep, 5);
        ASSERT_EQ(controller.Dots().current, 0);
        DeliverFrames(1);
        TakeNotifications();
    }

    // The UI thread concludes the step that ended; its one box is closed (a question with No).
    void ConcludeClosingTheBox() {
        EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyStepEnded, 6}}));
        testsupport::BoxDismisser boxes;
        controller.OnStepEnded();
        EXPECT_EQ(boxes.BoxesClosed(), 1);
    }

    void InputDot(int k) {
        PenAt(PenFor(k).x, PenFor(k).y);
        DeliverFrames(1);
        NoPen();
        DeliverFrames(1);
    }
};

}  // namespace

TEST_F(ManualAlignmentFlow, TheTriggerSkipsATargetAndEachDotTakesThePenOnce) {
    StartDotInput();
    // Enter's key-up is no trigger; its key-down skips the target dot.
    controller.OnTrigger(WM_LBUTTONUP, true);
    EXPECT_EQ(controller.Dots().current, 0);
    controller.OnTrigger(WM_LBUTTONDOWN, true);
    EXPECT_EQ(DotSet::StateOf(controller.Dots().points[0]), DotState::Lost);
    EXPECT_EQ(controller.Dots().current, 3);
    EXPECT_EQ(controller.Dots().lost, 1);
    EXPECT_FALSE(controller.Paused());

    PenAt(100, 80);
    DeliverFrames(1);
    EXPECT_EQ(controller.Dots().done, 1);
    EXPECT_EQ(controller.Dots().points[3], cv::Point2f(103.5f, 83.5f));
    EXPECT_EQ(controller.Dots().current, 6);
    DeliverFrames(5);
    EXPECT_EQ(controller.StillFrames(), 5);
    EXPECT_EQ(controller.Dots().done, 1);
    EXPECT_EQ(controller.Dots().current, 6);
    NoPen();
    DeliverFrames(1);
    EXPECT_EQ(controller.StillFrames(), 0);
    EXPECT_FALSE(controller.Paused());
}

TEST_F(ManualAlignmentFlow, NineDotsTellTheUserToWaitThenMoveOnToTheEvaluation) {
    StartDotInput();
    for (int k = 0; k < 9; ++k) InputDot(k);
    EXPECT_EQ(controller.Dots().done, 9);
    EXPECT_EQ(controller.Dots().current, -1);
    EXPECT_TRUE(controller.Paused());
    ConcludeClosingTheBox();
    EXPECT_EQ(controller.Modes().manualAlignmentStep, 6);
    EXPECT_FALSE(controller.Paused());
}

TEST_F(ManualAlignmentFlow, AFailedRunAsksToRedoAndNoClosesTheProgram) {
    SetMode(Mode::ManualAlignment, 6);
    ControllerTestAccess::EndStep(controller, Mode::ManualAlignment, StepFailed);
    ConcludeClosingTheBox();
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyCloseNow, 0}}));
}

TEST_F(ManualAlignmentFlow, HotSpotCheckOnlyInTheDotInputWhereWithoutALightItStartsOverAt22) {
    // Elsewhere it only beeps.
    SetMode(Mode::Track, 1);
    controller.HotSpotCheck();
    EXPECT_EQ(controller.CurrentMode(), Mode::Track);
    SetMode(Mode::Idle);
    controller.EnterMode(Mode::ManualAlignment);
    controller.HotSpotCheck();
    EXPECT_EQ(controller.Modes().manualAlignmentStep, 1);

    StartDotInput();
    InputDot(0);
    controller.HotSpotCheck();
    DeliverFrames(21);
    EXPECT_FALSE(controller.Paused());
    DeliverFrames(1);
    EXPECT_TRUE(controller.Paused());
    ConcludeClosingTheBox();
    EXPECT_EQ(controller.CurrentMode(), Mode::ManualAlignment);
    EXPECT_EQ(controller.Modes().manualAlignmentStep, 1);
    EXPECT_EQ(controller.Dots().done, 0);
    EXPECT_FALSE(controller.Paused());
}

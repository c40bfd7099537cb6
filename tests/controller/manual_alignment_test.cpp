// Manual alignment driven by synthetic frames from a second thread: a dim screen for the
// threshold learning, then a bright pen spot moved over it.
#include "controller_fixture.h"

#include "desktop_test_support.h"
#include "resources/resource_ids.h"

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
        // The capture of the empty screen keeps the user waiting.
        EXPECT_TRUE(controller.WaitCursor());
        NoPen();
        DeliverFrames(1);
        // The picture controls' settle time of the default parameters.
        Sleep(550);
        DeliverFrames(1 + 20 + 1);
        ASSERT_EQ(controller.Modes().manualAlignmentStep, 5);
        EXPECT_FALSE(controller.WaitCursor());
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

// The dots as a sensor with the nine-point lens (no p2) sees them on a 1024 x 768 desktop shown
// on a 16 : 10 display, with the user's aspect set and its detection off.
class ManualFinish : public ControllerFixture {
protected:
    ManualFinish() {
        const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f, -0.05f, 0.0f, 0.0f, kProfileP2};
        ScreenMapping& mapping = ControllerTestAccess::Mapping(controller);
        mapping.SetProfiles(&lens, 1);
        mapping.SelectProfile(0);
        DetectorProfile reduced = lens;
        reduced.p2 = 0.0f;
        truth.SetIntrinsics(reduced);
        truth.SetPose(CameraPose{-560.0f, -384.0f, 1250.0f, 0.04f, -0.06f, 0.02f});
        ControllerTestAccess::Geometry(controller).SetDesktop(1024, 768);
        DesktopMetrics desktop;
        desktop.workArea = {0, 0, 1024, 768};
        desktop.textHeight = 16;
        desktop.borderWidth = 1;
        desktop.captionHeight = 19;
        desktop.menuHeight = 19;
        PatternScreen& pattern = ControllerTestAccess::Pattern(controller);
        pattern.SetGrid(7, 5);
        pattern.Layout(DefaultChessboardLayout(), desktop);
        ControllerTestAccess::DisplayAspect(controller) = {16.0f, 10.0f, 0};
    }

    cv::Point2f Drawn(int corner) const {
        const POINT p = controller.Pattern().CornerPosition(corner % 7 + 1, corner / 7 + 1);
        return {static_cast<float>(p.x), static_cast<float>(p.y)};
    }
    // Where the sensor sees the pen on a dot: the plane is the desktop stretched to 16 : 10.
    cv::Point2f Seen(int corner) const {
        const cv::Point2f drawn = Drawn(corner);
        return truth.ProjectBoardPoint(drawn.x * kAspectFactor, drawn.y);
    }

    // Enters the Mode, records the given inputs for the dots in their order and runs the finish.
    void Finish(const std::vector<cv::Point2f>& inputs) {
        SetMode(Mode::Idle, 0, true, true);
        controller.EnterMode(Mode::ManualAlignment);
        DotSet& dots = ControllerTestAccess::Dots(controller);
        dots.Begin();
        for (const cv::Point2f& input : inputs) dots.Record(input);
        ControllerTestAccess::Modes(controller).manualAlignmentStep = 6;
        controller.StopSettleWait();
        TakeNotifications();
        DeliverFrames(1);
    }

    std::vector<cv::Point2f> AllDotsSeen() const {
        std::vector<cv::Point2f> seen;
        for (int corner : kDotOrder) seen.push_back(Seen(corner));
        return seen;
    }

    static constexpr float kProfileP2 = 0.03f;
    static constexpr float kAspectFactor = (16.0f / 10.0f) / (1024.0f / 768.0f);
    CameraModel truth;
};

}  // namespace

TEST_F(ManualFinish, StartDropsTheKeptAlignmentAndGainAndTakesTheUsersAspect) {
    SetMode(Mode::Track, 1, true, true);
    controller.EnterMode(Mode::ManualAlignment);
    EXPECT_EQ(controller.Modes().alignmentUsable, 0);
    EXPECT_EQ(controller.Modes().gainFound, 0);
    EXPECT_FALSE(controller.CanEnterMode(Mode::Track));
    EXPECT_FLOAT_EQ(controller.Geometry().displayAspectWidth, 16.0f);
    EXPECT_FLOAT_EQ(controller.Geometry().displayAspectHeight, 10.0f);
}

TEST_F(ManualFinish, NineDotsAreFittedGradedAndTrackedWithOneLensAndTheUsersAspect) {
    Finish(AllDotsSeen());
    EXPECT_EQ(TakeNotifications(),
              (Notifications{{NotifyStepEnded, static_cast<LPARAM>(Mode::ManualAlignment)}}));
    EXPECT_EQ(controller.PendingMessage(), 0);
    EXPECT_EQ(controller.Mapping().Figures().grade, AccuracyGrade::Good);
    EXPECT_EQ(controller.Camera().Profile().p2, 0.0f);
    // The detection left the aspect the user set.
    EXPECT_FLOAT_EQ(controller.Geometry().displayAspectWidth, 16.0f);
    EXPECT_FLOAT_EQ(controller.Geometry().displayAspectHeight, 10.0f);
    // The mapping kept after the fit puts every dot where it was drawn.
    for (int corner : kDotOrder) {
        const cv::Point2f seen = Seen(corner);
        const cv::Point2f mapped = controller.SensorToDesktop(seen.x, seen.y);
        EXPECT_NEAR(mapped.x, Drawn(corner).x, 1.0f) << "dot " << corner;
        EXPECT_NEAR(mapped.y, Drawn(corner).y, 1.0f) << "dot " << corner;
    }
}

TEST_F(ManualFinish, TooFewOrDoubledDotsFailWithTheirReasonShownBeforeTheRedoQuestion) {
    std::vector<cv::Point2f> five = AllDotsSeen();
    for (size_t i = 5; i < five.size(); ++i) five[i] = {-1.0f, -1.0f};
    Finish(five);
    EXPECT_EQ(controller.PendingMessage(), IDS_LOSING_CORNERS);
    EXPECT_EQ(TakeNotifications(),
              (Notifications{{NotifyStepEnded, static_cast<LPARAM>(Mode::ManualAlignment)}}));

    std::vector<cv::Point2f> doubled = AllDotsSeen();
    doubled[1] = doubled[0] + cv::Point2f(1.0f, 1.0f);
    Finish(doubled);
    EXPECT_EQ(controller.PendingMessage(), IDS_ALIGNMENT_FAIL);
    {
        testsupport::BoxDismisser boxes;
        controller.OnStepEnded();
        // The reason, then the question, answered No: the program closes.
        EXPECT_EQ(boxes.BoxesClosed(), 2);
    }
    EXPECT_EQ(controller.PendingMessage(), 0);
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyCloseNow, 0}}));
}

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
    ControllerTestAccess::EndStep(controller, Mode::ManualAlignment, StepResult::Failed);
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

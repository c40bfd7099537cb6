// Mode changes: which Modes may be asked for when, then on the UI thread what a change clears
// and keeps, the pointer, and how an ended step is concluded.
#include "controller_fixture.h"
#include "desktop_test_support.h"

namespace {

// Every Mode change parks the pointer.
class ControllerModes : public ControllerFixture {
protected:
    testsupport::CursorLock lock;
};

struct BusyCase {
    Mode mode;
    int step;
    bool busy;
};

TEST(ModeRules, IsBusyTable) {
    const BusyCase cases[] = {
        {Mode::NoSensor, 0, true},         {Mode::Initializing, 0, true},
        {Mode::Starting, 0, true},         {Mode::Initialized, 0, false},
        {Mode::Idle, 0, false},            {Mode::Track, 3, false},
        {Mode::FindGain, 1, true},         {Mode::FindGain, 3, true},
        {Mode::AutoAlignment, 1, false},   {Mode::AutoAlignment, 2, true},
        {Mode::AutoAlignment, 7, true},    {Mode::ManualAlignment, 1, false},
        {Mode::ManualAlignment, 5, false}, {Mode::ManualAlignment, 8, false},
        {Mode::ManualAlignment, 2, true},  {Mode::ManualAlignment, 7, true},
    };
    for (const BusyCase& c : cases) {
        EXPECT_EQ(ModeRecordAt(c.mode, c.step).IsBusy(), c.busy)
            << "Mode " << static_cast<int>(c.mode) << " step " << c.step;
    }
}

struct EnterCase {
    Mode mode;
    int step;
    bool usable;
    bool gainFound;
    bool storedUsable;
    // CanEnter for Idle, AutoAlignment, ManualAlignment, FindGain, Track.
    bool allowed[5];
};

TEST(ModeRules, CanEnterTable) {
    const EnterCase cases[] = {
        {Mode::Starting, 0, true, true, true, {false, false, false, false, false}},
        {Mode::Initialized, 0, false, false, false, {true, true, true, false, false}},
        {Mode::Idle, 0, true, false, false, {true, true, true, true, false}},
        {Mode::Idle, 0, false, false, true, {true, true, true, true, false}},
        {Mode::Idle, 0, false, false, false, {true, true, true, false, false}},
        {Mode::Idle, 0, true, true, true, {true, true, true, true, true}},
        {Mode::Track, 1, true, true, true, {true, true, true, true, false}},
        {Mode::FindGain, 3, true, true, true, {false, false, false, false, false}},
        {Mode::AutoAlignment, 1, true, true, true, {true, true, true, true, true}},
        {Mode::AutoAlignment, 4, true, true, true, {false, false, false, false, false}},
        {Mode::ManualAlignment, 5, false, false, false, {true, true, true, false, false}},
    };
    const Mode targets[] = {Mode::Idle, Mode::AutoAlignment, Mode::ManualAlignment,
                            Mode::FindGain, Mode::Track};
    for (const EnterCase& c : cases) {
        const ModeRecord modes = ModeRecordAt(c.mode, c.step, c.usable, c.gainFound);
        for (int t = 0; t < 5; ++t) {
            EXPECT_EQ(modes.CanEnter(targets[t], c.storedUsable), c.allowed[t])
                << "from Mode " << static_cast<int>(c.mode) << " step " << c.step
                << " to Mode " << static_cast<int>(targets[t]);
        }
    }
    for (Mode outside : {Mode::NoSensor, Mode::Initialized, Mode::DefaultAlignment}) {
        EXPECT_FALSE(ModeRecordAt(Mode::Idle, 0, true, true).CanEnter(outside, true));
    }
}

TEST_F(ControllerModes, RequestsBeforeInitializedOrOutsideTheWorkingModesChangeNothing) {
    SetMode(Mode::Starting);
    controller.EnterMode(Mode::Idle);
    EXPECT_EQ(controller.CurrentMode(), Mode::Starting);

    SetMode(Mode::Idle, 0, true, true);
    controller.EnterMode(Mode::Starting);
    controller.EnterMode(static_cast<Mode>(9));
    EXPECT_EQ(controller.CurrentMode(), Mode::Idle);
    EXPECT_FALSE(controller.IsBusy());
}

TEST_F(ControllerModes, FindGainWithoutUsableAlignmentShowsTheMessageAndKeepsTheMode) {
    testsupport::BoxDismisser boxes;
    SetMode(Mode::AutoAlignment, 1, false, false);
    controller.AlignmentResult().accuracy.grade = AccuracyGrade::Good;
    // The stored grade offers gain finding, which then finds no alignment in force.
    EXPECT_TRUE(controller.CanEnterMode(Mode::FindGain));
    controller.EnterMode(Mode::FindGain);
    EXPECT_EQ(boxes.BoxesClosed(), 1);
    EXPECT_EQ(controller.CurrentMode(), Mode::AutoAlignment);
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 1);
    EXPECT_FALSE(controller.Paused());
}

TEST_F(ControllerModes, DefaultAlignmentFollowsTheOption) {
    SetMode(Mode::Idle);
    controller.Options().manualAlignmentByDefault = 1;
    controller.EnterMode(Mode::DefaultAlignment);
    EXPECT_EQ(controller.CurrentMode(), Mode::ManualAlignment);
    EXPECT_EQ(controller.Modes().manualAlignmentStep, 1);

    controller.Options().manualAlignmentByDefault = 0;
    controller.EnterMode(Mode::DefaultAlignment);
    EXPECT_EQ(controller.CurrentMode(), Mode::AutoAlignment);
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 1);
}

TEST_F(ControllerModes, ChangingModeClearsStepsKeepsFlagsUnpausesAndShowsTheModesPattern) {
    SetMode(Mode::Track, 6, true, true);
    controller.StartShortSettle();
    controller.EnterMode(Mode::Idle);
    EXPECT_EQ(controller.CurrentMode(), Mode::Idle);
    EXPECT_EQ(controller.Modes().trackingStep, 0);
    EXPECT_EQ(controller.Modes().alignmentUsable, 1);
    EXPECT_EQ(controller.Modes().gainFound, 1);
    EXPECT_EQ(controller.SettleFrames(), 0);
    EXPECT_FALSE(controller.Paused());

    // Gain finding shows the white pattern, the other Modes the board.
    controller.EnterMode(Mode::FindGain);
    EXPECT_EQ(controller.Pattern().Kind(), kPatternWhite);
    EXPECT_EQ(controller.Pattern().Level(), 35);
    controller.EnterMode(Mode::ManualAlignment);
    EXPECT_EQ(controller.Pattern().Kind(), kPatternChessboard);
    EXPECT_EQ(controller.Pattern().Level(), 35);
}

TEST_F(ControllerModes, HeldButtonIsReleasedAndThePointerParked) {
    // On screen, as the program's window is: gain finding would bring back a hidden one.
    ShowWindow(window, SW_SHOWNORMAL);
    SetMode(Mode::Track, 2, true, true);
    controller.Pointer().Press(600.0f, 500.0f);
    ASSERT_TRUE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    controller.EnterMode(Mode::FindGain);
    EXPECT_EQ(controller.CurrentMode(), Mode::FindGain);
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    EXPECT_FALSE(controller.Pointer().LeftHeld());
    // Parked at client point (45, 45).
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    EXPECT_NEAR(cursor.x, 45, 1);
    EXPECT_NEAR(cursor.y, 45, 1);
}

TEST_F(ControllerModes, TrackAgainOnlyBringsTheWindowForward) {
    SetMode(Mode::Track, 4, true, true);
    ShowWindow(window, SW_MINIMIZE);
    controller.EnterMode(Mode::Track);
    EXPECT_EQ(controller.CurrentMode(), Mode::Track);
    EXPECT_EQ(controller.Modes().trackingStep, 4);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(controller.Paused());
}

struct StepEndCase {
    Mode mode;
    int step;
    StepResult result;
    int pendingMessage;
    int boxes;
    Mode after;
    int gainFound;
};

TEST_F(ControllerModes, EndedStepsAreConcludedOnTheUiThread) {
    const StepEndCase cases[] = {
        {Mode::FindGain, 3, StepResult::Succeeded, 0, 0, Mode::Track, 1},
        {Mode::FindGain, 3, StepResult::Failed, 10026, 1, Mode::Idle, 0},
        // Light lost while tracking: the message, then the gain anew (the old one still counts).
        {Mode::Track, 5, StepResult::Failed, 10030, 1, Mode::FindGain, 1},
    };
    for (const StepEndCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode) * 10 + static_cast<int>(c.result));
        testsupport::BoxDismisser boxes;
        SetMode(c.mode, c.step, true, c.mode == Mode::Track);
        ControllerTestAccess::SetPending(controller, c.pendingMessage);
        ControllerTestAccess::EndStep(controller, c.mode, c.result);
        controller.OnStepEnded();
        EXPECT_EQ(boxes.BoxesClosed(), c.boxes);
        EXPECT_EQ(controller.CurrentMode(), c.after);
        EXPECT_EQ(controller.Modes().gainFound, c.gainFound);
        EXPECT_EQ(controller.PendingMessage(), 0);
        EXPECT_FALSE(controller.Paused());
    }

    // An end outdated by a Mode change is ignored.
    SetMode(Mode::FindGain, 3, true, false);
    ControllerTestAccess::EndStep(controller, Mode::FindGain, StepResult::Succeeded);
    controller.EnterMode(Mode::Idle);
    controller.OnStepEnded();
    EXPECT_EQ(controller.CurrentMode(), Mode::Idle);
    EXPECT_EQ(controller.Modes().gainFound, 0);
}

}  // namespace

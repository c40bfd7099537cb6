// Mode changes: which Modes may be asked for when, then on the UI thread what a change clears
// and keeps, and the pointer.
#include "controller_fixture.h"

namespace {

// A ModeRecord in a Mode with the given step and kept flags.
ModeRecord ModeRecordAt(Mode mode, int step, bool alignmentUsable = false, bool gainFound = false) {
    ModeRecord modes;
    modes.ChangeMode(mode);
    modes.autoAlignmentStep = mode == Mode::AutoAlignment ? step : 0;
    modes.manualAlignmentStep = mode == Mode::ManualAlignment ? step : 0;
    modes.trackingStep = mode == Mode::Track ? step : 0;
    modes.alignmentUsable = alignmentUsable;
    modes.gainFound = gainFound;
    return modes;
}

TEST(ModeRules, IsBusyTable) {
    const struct { Mode mode; int step; bool busy; } cases[] = {
        {Mode::NoSensor, 0, true},         {Mode::Initializing, 0, true},
        {Mode::Starting, 0, true},         {Mode::Initialized, 0, false},
        {Mode::Idle, 0, false},            {Mode::Track, 3, false},
        {Mode::FindGain, 1, true},         {Mode::FindGain, 3, true},
        {Mode::AutoAlignment, 1, false},   {Mode::AutoAlignment, 2, true},
        {Mode::AutoAlignment, 7, true},    {Mode::ManualAlignment, 1, false},
        {Mode::ManualAlignment, 5, false}, {Mode::ManualAlignment, 8, false},
        {Mode::ManualAlignment, 2, true},  {Mode::ManualAlignment, 7, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModeRecordAt(c.mode, c.step).IsBusy(), c.busy) << static_cast<int>(c.mode) << " step " << c.step;
}

TEST(ModeRules, CanEnterTable) {
    // allowed: CanEnter for Idle, AutoAlignment, ManualAlignment, FindGain, Track.
    const struct { Mode mode; int step; bool usable, gainFound, storedUsable, allowed[5]; } cases[] = {
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
    const Mode targets[] = {Mode::Idle, Mode::AutoAlignment, Mode::ManualAlignment, Mode::FindGain, Mode::Track};
    for (const auto& c : cases) {
        const ModeRecord modes = ModeRecordAt(c.mode, c.step, c.usable, c.gainFound);
        for (int t = 0; t < 5; ++t)
            EXPECT_EQ(modes.CanEnter(targets[t], c.storedUsable), c.allowed[t])
                << static_cast<int>(c.mode) << " step " << c.step << " to " << static_cast<int>(targets[t]);
    }
    for (Mode outside : {Mode::NoSensor, Mode::Initialized, Mode::DefaultAlignment})
        EXPECT_FALSE(ModeRecordAt(Mode::Idle, 0, true, true).CanEnter(outside, true));
    // A Mode change clears the steps and keeps both flags.
    ModeRecord changed = ModeRecordAt(Mode::Track, 3, true, true);
    changed.ChangeMode(Mode::FindGain);
    EXPECT_EQ(changed.trackingStep, 0);
    EXPECT_TRUE(changed.alignmentUsable && changed.gainFound);
}

using ControllerModes = ControllerFixture;

TEST_F(ControllerModes, RequestsBeforeStartOrOutsideTheWorkingModesChangeNothingDefaultAlignmentFollowsTheOption) {
    controller.EnterMode(Mode::Idle);
    EXPECT_EQ(controller.CurrentMode(), Mode::NoSensor);

    SetMode(Mode::Idle);
    controller.EnterMode(Mode::Starting);
    controller.EnterMode(static_cast<Mode>(9));
    EXPECT_EQ(controller.CurrentMode(), Mode::Idle);
    EXPECT_FALSE(controller.IsBusy());
    for (const auto& [option, alignment] : {std::pair{1, Mode::ManualAlignment}, {0, Mode::AutoAlignment}}) {
        records.options.manualAlignmentByDefault = option;
        controller.EnterMode(Mode::DefaultAlignment);
        EXPECT_EQ(controller.CurrentMode(), alignment);
        EXPECT_FALSE(controller.IsBusy()) << "waits for the trigger";
    }
}

TEST_F(ControllerModes, TrackAgainBringsTheWindowBackAndLeavingItReleasesAndParks) {
    SetMode(Mode::Track, true, true);
    // Track again only brings the window that tracking minimised back.
    EXPECT_TRUE(IsIconic(window));
    controller.EnterMode(Mode::Track);
    EXPECT_EQ(controller.CurrentMode(), Mode::Track);
    EXPECT_FALSE(IsIconic(window));
    PenDown();
    // Gain finding shows the white pattern.
    controller.EnterMode(Mode::FindGain);
    EXPECT_EQ(controller.CurrentMode(), Mode::FindGain);
    EXPECT_TRUE(LeftButtonIs(false));
    EXPECT_EQ(controller.Pattern().Kind(), kPatternWhite);
    EXPECT_EQ(controller.Pattern().Level(), 35);
    // Parked at client point (45, 45).
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    EXPECT_NEAR(cursor.x, 45, 1);
    EXPECT_NEAR(cursor.y, 45, 1);

    // The other Modes show the board.
    controller.EnterMode(Mode::Idle);
    EXPECT_EQ(controller.Pattern().Kind(), kPatternChessboard);
    EXPECT_EQ(controller.Pattern().Level(), 35);
}

}  // namespace

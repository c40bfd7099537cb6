// The main window's key table: Ctrl+Alt+X first and always, the busy and range rules, Ctrl
// only while it is held.
#include "app/keys.h"

#include <gtest/gtest.h>

namespace {

KeyState Held(bool control, bool alt = false, bool busy = false, bool panel = false) {
    KeyState state;
    state.control = control;
    state.alt = alt;
    state.busy = busy;
    state.tuningPanelOpen = panel;
    return state;
}

TEST(KeyTable, CtrlAltXAsksToCloseEvenWhileBusy) {
    EXPECT_EQ(KeyDownAction('X', Held(true, true, true)), KeyAction::RequestExit);
    EXPECT_EQ(KeyDownAction('X', Held(true, true)), KeyAction::RequestExit);
    EXPECT_EQ(KeyDownAction('X', Held(true, false)), KeyAction::None);
    EXPECT_EQ(KeyDownAction('X', Held(false, true)), KeyAction::None);
}

TEST(KeyTable, ControlLettersNeedControlHeld) {
    const struct {
        WPARAM key;
        KeyAction action;
    } cases[] = {
        {'A', KeyAction::AutoAlignment}, {'E', KeyAction::OpenTuningPanel},
        {'G', KeyAction::FindGain},      {'M', KeyAction::ManualAlignment},
        {'T', KeyAction::Track},         {'Z', KeyAction::HotSpotCheck},
        {'B', KeyAction::None},          {'X', KeyAction::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyDownAction(c.key, Held(true)), c.action) << static_cast<char>(c.key);
        EXPECT_EQ(KeyDownAction(c.key, Held(false)), KeyAction::None) << static_cast<char>(c.key);
    }
}

TEST(KeyTable, BusyControllerTakesNoKeyButCtrlAltX) {
    for (WPARAM key : {WPARAM{'A'}, WPARAM{'T'}, WPARAM{VK_RETURN}, WPARAM{VK_F1},
                       WPARAM{VK_F2}, WPARAM{VK_F5}, WPARAM{VK_ESCAPE}}) {
        EXPECT_EQ(KeyDownAction(key, Held(true, false, true, true)), KeyAction::None) << key;
    }
}

TEST(KeyTable, KeysOutsideEnterToF5AreNotTheWindows) {
    EXPECT_EQ(KeyDownAction(VK_RETURN, Held(false)), KeyAction::Trigger);
    EXPECT_EQ(KeyDownAction(VK_F5, Held(false)), KeyAction::Trigger);
    EXPECT_EQ(KeyDownAction(VK_F1, Held(false)), KeyAction::Help);
    EXPECT_EQ(KeyDownAction(VK_F2, Held(false)), KeyAction::ButtonTest);
    EXPECT_EQ(KeyDownAction(12, Held(true)), KeyAction::None);
    EXPECT_EQ(KeyDownAction(VK_F6, Held(true)), KeyAction::None);
    EXPECT_EQ(KeyDownAction(VK_F11, Held(true)), KeyAction::None);
}

TEST(KeyTable, EscAndArrowsOnlyForAnOpenTuningPanel) {
    EXPECT_EQ(KeyDownAction(VK_ESCAPE, Held(false)), KeyAction::None);
    EXPECT_EQ(KeyDownAction(VK_ESCAPE, Held(false, false, false, true)),
              KeyAction::CloseTuningPanel);
    for (WPARAM key : {WPARAM{VK_LEFT}, WPARAM{VK_UP}, WPARAM{VK_RIGHT}, WPARAM{VK_DOWN}}) {
        EXPECT_EQ(KeyDownAction(key, Held(false)), KeyAction::None) << key;
        EXPECT_EQ(KeyDownAction(key, Held(true, false, false, true)), KeyAction::AdjustTuning)
            << key;
    }
}

TEST(KeyTable, HeldMeansTheHighBitNotAnEarlierPress) {
    EXPECT_FALSE(IsHeld(0x0001));
    EXPECT_TRUE(IsHeld(static_cast<SHORT>(0x8000)));
    EXPECT_TRUE(IsHeld(static_cast<SHORT>(0x8001)));
    EXPECT_FALSE(IsHeld(0));
}

}  // namespace

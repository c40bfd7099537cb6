// The main window's key table: Ctrl+Alt+X first and always, the busy and range rules, Ctrl
// only while it is held.
#include "app/keys.h"

#include <gtest/gtest.h>

namespace {

enum : int { kCtrl = 1, kAlt = 2, kBusy = 4, kPanel = 8 };

KeyState Held(int flags) {
    KeyState state;
    state.control = (flags & kCtrl) != 0;
    state.alt = (flags & kAlt) != 0;
    state.busy = (flags & kBusy) != 0;
    state.tuningPanelOpen = (flags & kPanel) != 0;
    return state;
}

TEST(KeyTable, EachKeyInEachStateHasOneAction) {
    const struct {
        WPARAM key;
        int held;
        KeyAction action;
    } cases[] = {
        // Ctrl+Alt+X asks to close, even while busy; either alone does not.
        {'X', kCtrl | kAlt | kBusy, KeyAction::RequestExit},
        {'X', kCtrl | kAlt, KeyAction::RequestExit},
        {'X', kCtrl, KeyAction::None},
        {'X', kAlt, KeyAction::None},
        // Letters need Ctrl held.
        {'A', kCtrl, KeyAction::AutoAlignment}, {'A', 0, KeyAction::None},
        {'E', kCtrl, KeyAction::OpenTuningPanel}, {'E', 0, KeyAction::None},
        {'G', kCtrl, KeyAction::FindGain}, {'G', 0, KeyAction::None},
        {'M', kCtrl, KeyAction::ManualAlignment}, {'M', 0, KeyAction::None},
        {'T', kCtrl, KeyAction::Track}, {'T', 0, KeyAction::None},
        {'Z', kCtrl, KeyAction::HotSpotCheck}, {'Z', 0, KeyAction::None},
        {'B', kCtrl, KeyAction::None},
        // Enter to F5 only; a busy Controller takes none of them, nor a letter or Esc.
        {VK_RETURN, 0, KeyAction::Trigger}, {VK_F5, 0, KeyAction::Trigger},
        {VK_F1, 0, KeyAction::Help}, {VK_F2, 0, KeyAction::ButtonTest},
        {12, kCtrl, KeyAction::None}, {VK_F6, kCtrl, KeyAction::None},
        {VK_F11, kCtrl, KeyAction::None},
        {'A', kCtrl | kBusy | kPanel, KeyAction::None}, {'T', kCtrl | kBusy | kPanel, KeyAction::None},
        {VK_RETURN, kCtrl | kBusy | kPanel, KeyAction::None},
        {VK_F1, kCtrl | kBusy | kPanel, KeyAction::None}, {VK_F2, kCtrl | kBusy | kPanel, KeyAction::None},
        {VK_F5, kCtrl | kBusy | kPanel, KeyAction::None},
        {VK_ESCAPE, kCtrl | kBusy | kPanel, KeyAction::None},
        // Esc and the arrows belong to an open tuning panel.
        {VK_ESCAPE, 0, KeyAction::None}, {VK_ESCAPE, kPanel, KeyAction::CloseTuningPanel},
        {VK_LEFT, 0, KeyAction::None}, {VK_LEFT, kCtrl | kPanel, KeyAction::AdjustTuning},
        {VK_UP, 0, KeyAction::None}, {VK_UP, kCtrl | kPanel, KeyAction::AdjustTuning},
        {VK_RIGHT, 0, KeyAction::None}, {VK_RIGHT, kCtrl | kPanel, KeyAction::AdjustTuning},
        {VK_DOWN, 0, KeyAction::None}, {VK_DOWN, kCtrl | kPanel, KeyAction::AdjustTuning},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyDownAction(c.key, Held(c.held)), c.action) << "key " << c.key << ", held " << c.held;
    }
}

TEST(KeyTable, HeldMeansTheHighBitNotAnEarlierPress) {
    EXPECT_FALSE(IsHeld(0));
    EXPECT_FALSE(IsHeld(0x0001));
    EXPECT_TRUE(IsHeld(static_cast<SHORT>(0x8000)));
    EXPECT_TRUE(IsHeld(static_cast<SHORT>(0x8001)));
}

}  // namespace

// The main window's key table: Ctrl+Alt+X first and always, the busy and range rules, Ctrl
// only while it is held (the main-window scenario presses the keys for real).
#include "app/keys.h"

#include <gtest/gtest.h>

namespace {

enum : int { kCtrl = 1, kAlt = 2, kBusy = 4, kPanel = 8 };

KeyState Held(int flags) {
    return {(flags & kCtrl) != 0, (flags & kAlt) != 0, (flags & kBusy) != 0, (flags & kPanel) != 0};
}

TEST(KeyTable, EachKeyInEachStateHasOneAction) {
    const struct { WPARAM key; int held; KeyAction action; } cases[] = {
        // (Ctrl+A, Ctrl+M, Ctrl+Z, F2, Enter, F5 and Ctrl+Alt+X while busy are pressed for real by
        // the main-window, auto and manual alignment scenarios.)
        // Ctrl alone does not ask to close; letters need Ctrl held.
        {'X', kCtrl, KeyAction::None}, {'A', kAlt, KeyAction::None},
        {'E', kCtrl, KeyAction::OpenTuningPanel}, {'G', kCtrl, KeyAction::FindGain},
        {'T', kCtrl, KeyAction::Track}, {'B', kCtrl, KeyAction::None},
        // Enter to F5 only; a busy Controller takes none of them, nor a letter or Esc.
        {VK_F1, 0, KeyAction::Help}, {12, kCtrl, KeyAction::None}, {VK_F6, kCtrl, KeyAction::None},
        {'T', kCtrl | kBusy, KeyAction::None}, {VK_F5, kBusy, KeyAction::None},
        {VK_ESCAPE, kBusy | kPanel, KeyAction::None},
        // Esc and the arrows belong to an open tuning panel.
        {VK_ESCAPE, 0, KeyAction::None}, {VK_ESCAPE, kPanel, KeyAction::CloseTuningPanel},
        {VK_LEFT, 0, KeyAction::None}, {VK_DOWN, kPanel, KeyAction::AdjustTuning},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyDownAction(c.key, Held(c.held)), c.action) << "key " << c.key << ", held " << c.held;
}

}  // namespace

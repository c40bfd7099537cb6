#include "app/keys.h"

namespace {

// Keys outside Enter..F5 are not the main window's.
constexpr WPARAM kFirstHandledKey = VK_RETURN;
constexpr WPARAM kLastHandledKey = VK_F5;

KeyAction ControlKeyAction(WPARAM key) {
    switch (key) {
    case 'A':
        return KeyAction::AutoAlignment;
    case 'E':
        return KeyAction::OpenTuningPanel;
    case 'G':
        return KeyAction::FindGain;
    case 'M':
        return KeyAction::ManualAlignment;
    case 'T':
        return KeyAction::Track;
    case 'Z':
        return KeyAction::HotSpotCheck;
    default:
        return KeyAction::None;
    }
}

}  // namespace

KeyAction KeyDownAction(WPARAM key, const KeyState& state) {
    if (key == 'X' && state.control && state.alt) return KeyAction::RequestExit;
    if (state.busy || key < kFirstHandledKey || key > kLastHandledKey) return KeyAction::None;
    switch (key) {
    case VK_RETURN:
    case VK_F5:
        return KeyAction::Trigger;
    case VK_ESCAPE:
        return state.tuningPanelOpen ? KeyAction::CloseTuningPanel : KeyAction::None;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return state.tuningPanelOpen ? KeyAction::AdjustTuning : KeyAction::None;
    case VK_F1:
        return KeyAction::Help;
    case VK_F2:
        return KeyAction::ButtonTest;
    default:
        return state.control ? ControlKeyAction(key) : KeyAction::None;
    }
}

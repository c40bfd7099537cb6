#pragma once
// The main window's keyboard shortcuts, decided from the key and the state it arrives in.
#include <windows.h>

#include "base/key_state.h"

enum class KeyAction {
    None,
    RequestExit,           // Ctrl+Alt+X, also while busy
    Trigger,               // Enter, F5: a pen button
    CloseTuningPanel,      // Esc while the panel is open
    AdjustTuning,          // arrows while the panel is open
    OpenTuningPanel,       // Ctrl+E
    AutoAlignment,         // Ctrl+A
    FindGain,              // Ctrl+G
    ManualAlignment,       // Ctrl+M
    Track,                 // Ctrl+T
    HotSpotCheck,          // Ctrl+Z
    Help,                  // F1
    ButtonTest,            // F2
};

struct KeyState {
    bool control = false;  // held now, not merely pressed some time before
    bool alt = false;
    bool busy = false;
    bool tuningPanelOpen = false;
};


KeyAction KeyDownAction(WPARAM key, const KeyState& state);

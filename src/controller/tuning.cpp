// Track's screen-correction panel: Ctrl+E opens it, the arrow keys tune, Esc closes it and
// keeps the values.
#include "controller/controller.h"

#include "base/key_state.h"

void Controller::ShowTuningPanel(bool show) {
    if (!show) {
        if (tuningPanel_.Close(model_.screenCorrection)) Repaint();
        return;
    }
    if (modes_.mode != Mode::Track || !tuningPanel_.Open()) return;
    // Track may have hidden the window; a panel nobody sees would still take the arrow keys.
    HWND main = mainWindow_;
    if (IsIconic(main) || !IsWindowVisible(main)) {
        ShowMain();
    } else {
        Repaint();
    }
}

void Controller::AdjustTuning(WPARAM key) {
    // The frame thread reads the correction for every pen position.
    const bool wasHeld = HoldFrames();
    const bool changed =
        tuningPanel_.Adjust(key, IsHeld(GetAsyncKeyState(VK_CONTROL)),
                            IsHeld(GetAsyncKeyState(VK_SHIFT)), model_.screenCorrection);
    ResumeFrames(wasHeld);
    // The whole picture: the corner marks move with the values.
    if (changed) Repaint();
}

bool Controller::TuningPanelOpen() const { return tuningPanel_.IsOpen(); }

// A new desktop size moves every board corner and every pointer position: the layout, the
// pointer scale and the windows follow it, and the alignment is redone or re-applied (then the
// gain is found again over the new screen).
#include "controller/controller.h"

#include "base/notifications.h"
#include "ui/messages.h"

void Controller::OnDisplayChange() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // A colour-depth change reports the same size: nothing moved.
    if (width == model_.geometry.desktopWidth && height == model_.geometry.desktopHeight) return;
    const bool wasHeld = HoldFrames();
    ApplyDisplaySize(width, height);
    // A requested Mode change keeps the frames held until the main window makes it.
    if (!RealignAfterDisplayChange()) ResumeFrames(wasHeld);
}

void Controller::OnWindowFrameChanged() {
    const bool wasHeld = HoldFrames();
    model_.pattern.Layout(records_.chessboardLayout, DesktopMetrics::Current(mainWindow_));
    MeasureStatusRect();
    ResumeFrames(wasHeld);
}

void Controller::ApplyDisplaySize(int width, int height) {
    HWND main = mainWindow_;
    status_.screenWidth = width;
    status_.screenHeight = height;
    model_.geometry.SetDesktop(width, height);
    TakeBoardOrientation();
    pointer_.input.TakeScreenSize();
    model_.pattern.Layout(records_.chessboardLayout, DesktopMetrics::Current(main));
    MeasureStatusRect();
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    SetWindowPos(main, nullptr, 0, 0, workArea.right, workArea.bottom, SWP_NOZORDER);
    SetWindowPos(gainOverlay_.Get(), nullptr, 0, 0, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Controller::RealignAfterDisplayChange() {
    switch (modes_.mode) {
    case Mode::AutoAlignment:
    case Mode::ManualAlignment: {
        const bool automatic = modes_.mode == Mode::AutoAlignment;
        const int step = automatic ? modes_.autoAlignmentStep : modes_.manualAlignmentStep;
        if (automatic) {
            StartAutoAlignment();
        } else {
            StartManualAlignment();
        }
        if (step > 1) ShowResolutionChanged();
        Repaint();
        return false;
    }
    case Mode::FindGain:
    case Mode::Track: {
        // No stroke goes on across the change, whichever way it is taken.
        ReleaseHeldButton();
        const bool restored = RestoreAlignment() == StepResult::Succeeded;
        if (!restored) {
            if (modes_.mode == Mode::FindGain) ShowWindow(gainOverlay_.Get(), SW_HIDE);
            ShowWithFramesHeld(&ShowResolutionChanged);
        }
        // The tracking area, its spy points and the threshold learnt over it belong to the old
        // desktop: the gain is found again over the new one.
        RequestMode(restored ? Mode::FindGain : Mode::DefaultAlignment);
        return true;
    }
    case Mode::Idle:
        // Gain finding, started later, takes its tracking area from the pose.
        if (modes_.alignmentUsable && RestoreAlignment() != StepResult::Succeeded) modes_.alignmentUsable = 0;
        return false;
    default:
        return false;
    }
}

void Controller::RequestMode(Mode mode) {
    PostMessageW(mainWindow_, kAppNotifyMessage, NotifyModeRequest, static_cast<LPARAM>(mode));
}

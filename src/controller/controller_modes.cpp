#include "controller/controller.h"

#include "base/notifications.h"
#include "ui/messages.h"

namespace {

constexpr POINT kParkingPoint = {45, 45};

}  // namespace

void Controller::EnterMode(Mode requested) {
    if (IsBelow(modes_.mode, Mode::Initialized)) return;
    if (requested == Mode::DefaultAlignment) {
        requested = records_.options.manualAlignmentByDefault ? Mode::ManualAlignment : Mode::AutoAlignment;
    }
    // Only the working Modes can be requested; anything else would strand the Controller.
    if (IsBelow(requested, Mode::Idle) || IsBelow(Mode::Track, requested)) return;
    if (requested == Mode::FindGain && !modes_.alignmentUsable) {
        ShowAlignmentPoor();
        return;
    }

    handOff_.paused = true;
    WaitForFrameStep();
    handOff_.endedMode = Mode::NoSensor;
    handOff_.pendingMessage = 0;
    ShowWindow(gainOverlay_.Get(), SW_HIDE);
    StopSettleWait();
    // A gain finding or dot capture left unfinished is no longer busy.
    SetWaitCursor(false);
    ReleaseHeldButton();
    ParkPointer();
    if (requested != Mode::Track) tuningPanel_.Close(model_.screenCorrection);

    switch (requested) {
    case Mode::Idle:
        modes_.ChangeMode(Mode::Idle);
        break;
    case Mode::AutoAlignment:
        StartAutoAlignment();
        break;
    case Mode::ManualAlignment:
        StartManualAlignment();
        break;
    case Mode::FindGain:
        StartFindGain();
        break;
    case Mode::Track:
        if (modes_.mode == Mode::Track) {
            HWND main = mainWindow_;
            if (IsIconic(main) || !IsWindowVisible(main)) {
                ShowMain();
            } else {
                Repaint();
            }
            BringMainForward();
            handOff_.paused = false;
            return;
        }
        sensor_.frameRate.Reset();
        StartTracking();
        break;
    default:
        break;
    }

    model_.pattern.SetKind(requested == Mode::FindGain ? kPatternWhite : kPatternChessboard,
                     PatternScreen::kDefaultLevel);
    Repaint();
    UpdateTitle();
    handOff_.paused = false;
    BringMainForward();
    if (requested == Mode::Track) {
        pointer_.mouseSaver.Change();
    } else {
        pointer_.mouseSaver.Restore();
    }
    SendMessageW(mainWindow_, kAppNotifyMessage, NotifyModeEntered,
                 requested == Mode::Track ? 1 : 0);
}

bool Controller::CanEnterMode(Mode target) const {
    return modes_.CanEnter(target, IsUsableGrade(records_.alignmentResult.accuracy.grade));
}

bool Controller::IsBusy() const {
    return modes_.IsBusy();
}

void Controller::SetWaitCursor(bool on) {
    handOff_.waitCursor = on;
    // The frame thread only lowers the flag: the next WM_SETCURSOR brings the arrow back.
    if (on) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void Controller::ReleaseHeldButton() {
    if (pointer_.input.LeftHeld()) pointer_.input.ReleaseAtLastPosition();
}

void Controller::ParkPointer() {
    POINT point = kParkingPoint;
    if (!ClientToScreen(mainWindow_, &point)) return;
    pointer_.input.MoveTo(static_cast<float>(point.x), static_cast<float>(point.y));
}

void Controller::BringMainForward() const {
    HWND main = mainWindow_;
    SetFocus(main);
    SetActiveWindow(main);
    SetForegroundWindow(main);
}

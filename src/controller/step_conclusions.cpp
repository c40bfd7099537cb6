#include "controller/controller.h"

#include "app/interim_messages.h"
#include "app/process_globals.h"
#include "controller/notifications.h"

void Controller::OnStepEnded() {
    const Mode mode = endedMode_.exchange(Mode::NoSensor);
    // A Mode entered since the step ended makes its conclusion moot.
    if (mode == Mode::NoSensor || mode != modes_.mode) return;
    ConcludeStep(mode, endedResult_);
}

void Controller::ConcludeStep(Mode mode, int result) {
    switch (mode) {
    case Mode::FindGain:
        if (result == StepSucceeded) {
            modes_.gainFound = 1;
            WriteAlignmentResult(alignmentResult_);
            EnterMode(Mode::Track);
        } else {
            ShowPendingMessage();
            EnterMode(Mode::Idle);
        }
        break;
    case Mode::Track:
        ShowPendingMessage();
        EnterMode(modes_.alignmentUsable ? Mode::FindGain : Mode::Idle);
        break;
    case Mode::AutoAlignment:
    case Mode::ManualAlignment:
        if (result == StepSucceeded) {
            modes_.alignmentUsable = 1;
            modes_.gainFound = 0;
            WriteAlignmentResult(alignmentResult_);
            EnterMode(Mode::FindGain);
        } else if (result == StepCloseApplication) {
            PostMessageW(g_process.mainWindow, kAppNotifyMessage, NotifyCloseNow, 0);
        } else if (result == StepRedo) {
            EnterMode(mode);
        } else {
            ShowPendingMessage();
            EnterMode(Mode::Idle);
        }
        break;
    default:
        break;
    }
}

void Controller::ShowPendingMessage() {
    const int id = pendingMessage_.exchange(0);
    if (id) ShowNumberedMessage(id, MB_ICONEXCLAMATION);
}

#include "controller/controller.h"

#include "base/notifications.h"
#include "controller/step_message.h"

void Controller::OnStepEnded() {
    const Mode mode = handOff_.endedMode.exchange(Mode::NoSensor);
    // A Mode entered since the step ended makes its conclusion moot.
    if (mode == Mode::NoSensor || mode != modes_.mode) return;
    // The step that ended may still be on its way out; `paused` keeps the next ones off.
    WaitForFrameStep();
    ConcludeStep(mode, handOff_.endedResult);
}

void Controller::ConcludeStep(Mode mode, StepResult result) {
    switch (mode) {
    case Mode::FindGain:
        // The overlay would hide the message.
        ShowWindow(gainOverlay_.Get(), SW_HIDE);
        if (result == StepResult::Succeeded) {
            ShowPendingMessage();
            modes_.gainFound = 1;
            WriteAlignmentResult(records_.alignmentResult);
            EnterMode(Mode::Track);
        } else {
            ShowPendingMessage();
            EnterMode(Mode::Idle);
        }
        break;
    case Mode::Track:
        // A stroke must not go on under the message, which waits for the user.
        ReleaseHeldButton();
        ShowPendingMessage();
        EnterMode(modes_.alignmentUsable ? Mode::FindGain : Mode::Idle);
        break;
    case Mode::AutoAlignment:
        ConcludeAutoAlignment(result);
        break;
    case Mode::ManualAlignment:
        ConcludeManualAlignment(result);
        break;
    default:
        break;
    }
}

void Controller::ShowPendingMessage() {
    ShowStepMessage(handOff_.pendingMessage.exchange(0));
}

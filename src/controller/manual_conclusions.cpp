// Manual alignment on the UI thread: the messages and questions its steps leave behind, and
// what their answers and the end of a run lead to.
#include "controller/controller.h"

#include "base/notifications.h"
#include "resources/resource_ids.h"
#include "ui/messages.h"

namespace {

void CloseApplication(HWND main) {
    PostMessageW(main, kAppNotifyMessage, NotifyCloseNow, 0);
}

}  // namespace

void Controller::ConcludeManualAlignment(StepResult result) {
    switch (result) {
    case StepResult::KeepGoing:
        AnswerManualQuestion(manualRun_.TakeQuestion());
        break;
    case StepResult::Succeeded:
        AcceptAlignment(Mode::ManualAlignment);
        break;
    case StepResult::Failed:
        // The reason first, as after an automatic run.
        ShowPendingMessage();
        if (AskManualRedo() == IDYES) {
            EnterMode(Mode::ManualAlignment);
        } else {
            CloseApplication(mainWindow_);
        }
        break;
    case StepResult::Redo:
        EnterMode(Mode::ManualAlignment);
        break;
    case StepResult::CloseApplication:
        CloseApplication(mainWindow_);
        break;
    default:
        break;
    }
}

void Controller::AnswerManualQuestion(int id) {
    switch (id) {
    case IDS_MANUAL_INPUTS_DONE:
        ShowManualInputsDone();
        ContinueManualAlignmentAt(kManualFinish);
        break;
    case IDS_MANUAL_SOME_DOTS_MISSED:
        if (AskManualSomeDotsMissed() == IDYES) {
            ConcludeManualAlignment(StepResult::Redo);
        } else {
            ContinueManualAlignmentAt(kManualFinish);
        }
        break;
    case IDS_MANUAL_TOO_FEW_DOTS:
        ConcludeManualAlignment(AskManualTooFewDots() == IDYES ? StepResult::Redo : StepResult::CloseApplication);
        break;
    case IDS_MANUAL_HOT_SPOT_FOUND:
        ConcludeManualAlignment(AskManualHotSpotFound() == IDYES ? StepResult::Redo : StepResult::CloseApplication);
        break;
    case IDS_MANUAL_NO_HOT_SPOT:
        ShowManualNoHotSpot();
        ConcludeManualAlignment(StepResult::Redo);
        break;
    default:
        handOff_.paused = false;
        break;
    }
}

void Controller::ContinueManualAlignmentAt(ManualStep step) {
    manualRun_.ContinueAt(step);
    handOff_.paused = false;
}

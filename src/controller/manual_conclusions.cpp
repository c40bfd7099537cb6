// Manual alignment on the UI thread: the messages and questions its steps leave behind, and
// what their answers and the end of a run lead to.
#include "controller/controller.h"

#include "app/process_globals.h"
#include "controller/manual_steps.h"
#include "base/notifications.h"
#include "resources/resource_ids.h"
#include "ui/messages.h"

namespace {

void CloseApplication() {
    PostMessageW(g_process.mainWindow, kAppNotifyMessage, NotifyCloseNow, 0);
}

}  // namespace

void Controller::ConcludeManualAlignment(int result) {
    switch (result) {
    case StepKeepGoing:
        AnswerManualQuestion(manualQuestion_.exchange(0));
        break;
    case StepSucceeded:
        AcceptAlignment(Mode::ManualAlignment);
        break;
    case StepFailed:
        // The reason first, as after an automatic run.
        ShowPendingMessage();
        if (AskManualRedo() == IDYES) {
            EnterMode(Mode::ManualAlignment);
        } else {
            CloseApplication();
        }
        break;
    case StepRedo:
        EnterMode(Mode::ManualAlignment);
        break;
    case StepCloseApplication:
        CloseApplication();
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
            ConcludeManualAlignment(StepRedo);
        } else {
            ContinueManualAlignmentAt(kManualFinish);
        }
        break;
    case IDS_MANUAL_TOO_FEW_DOTS:
        ConcludeManualAlignment(AskManualTooFewDots() == IDYES ? StepRedo : StepCloseApplication);
        break;
    case IDS_MANUAL_HOT_SPOT_FOUND:
        ConcludeManualAlignment(AskManualHotSpotFound() == IDYES ? StepRedo : StepCloseApplication);
        break;
    case IDS_MANUAL_NO_HOT_SPOT:
        ShowManualNoHotSpot();
        ConcludeManualAlignment(StepRedo);
        break;
    default:
        paused_ = false;
        break;
    }
}

void Controller::ContinueManualAlignmentAt(int step) {
    modes_.manualAlignmentStep = step;
    paused_ = false;
}

// Entry, per-frame step and trigger of manual alignment. Its own work grows here; until then
// the Mode is entered at its first step and waits there.
#include "controller/controller.h"

void Controller::StartManualAlignment() {
    modes_.ChangeMode(Mode::ManualAlignment);
    modes_.manualAlignmentStep = 1;
}

int Controller::ManualAlignmentStep() { return StepKeepGoing; }
void Controller::ManualAlignmentTrigger(UINT) {}

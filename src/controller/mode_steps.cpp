// Entry, per-frame step and trigger of each working Mode. Each Mode's own work grows here;
// until then a Mode is entered at its first step and waits there.
#include "controller/controller.h"

void Controller::StartManualAlignment() {
    modes_.ChangeMode(Mode::ManualAlignment);
    modes_.manualAlignmentStep = 1;
}

void Controller::StartFindGain() {
    modes_.ChangeMode(Mode::FindGain);
    modes_.gainFindingStep = 1;
}

void Controller::StartTracking() {
    modes_.ChangeMode(Mode::Track);
    modes_.trackingStep = 1;
}

int Controller::ManualAlignmentStep() { return StepKeepGoing; }
int Controller::FindGainStep() { return StepKeepGoing; }
int Controller::TrackStep() { return StepKeepGoing; }
void Controller::ManualAlignmentTrigger(UINT) {}

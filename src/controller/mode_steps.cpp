// Entry, per-frame step and trigger of manual alignment. Its own work grows here; until then
// the Mode is entered at its first step and waits there.
#include "controller/controller.h"

void Controller::StartManualAlignment() {
    modes_.ChangeMode(Mode::ManualAlignment);
    modes_.manualAlignmentStep = 1;
}

int Controller::ManualAlignmentStep() { return StepKeepGoing; }
void Controller::ManualAlignmentTrigger(UINT) {}

// The screen-correction panel and the hot-spot check belong to their Modes' work; until then
// the panel never opens and the check only beeps, as it does outside its step.
void Controller::ShowTuningPanel(bool) {}
void Controller::AdjustTuning(WPARAM) {}
bool Controller::TuningPanelOpen() const { return false; }

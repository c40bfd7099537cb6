// The screen-correction panel of Track belongs to its own work; until then it never opens.
#include "controller/controller.h"

void Controller::ShowTuningPanel(bool) {}
void Controller::AdjustTuning(WPARAM) {}
bool Controller::TuningPanelOpen() const { return false; }

#pragma once
// The message an ended step of gain finding, tracking or manual alignment left for the UI
// thread, shown in its box; 0 shows nothing.
void ShowStepMessage(int id);

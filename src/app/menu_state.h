#pragma once
// The menu bar: trimmed once after loading, and its commands enabled by the Controller's state
// each time a popup opens.
#include <windows.h>

class Controller;

struct MenuEnabling {
    bool autoAlignment = false;
    bool manualAlignment = false;
    bool findThreshold = false;
    // While busy the settings, reports, help and version commands are grayed.
    bool busy = false;

    static MenuEnabling Of(const Controller& controller);
};

// Leaves File = Auto Alignment, Manual Alignment, separator, Exit; Option = Common Setting,
// Gain Level Setting; Help = System Aspect, Accuracy, separator, Version; no Test menu.
void TrimMainMenu(HMENU menuBar);

// Items the popup does not hold are left alone; Track Spot, Test Button, Introduction and Exit
// are never changed.
void ApplyMenuEnabling(HMENU popup, const MenuEnabling& enabling);

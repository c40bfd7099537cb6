#pragma once
// Answers the next message box: records what it shows, optionally ticks its check box, then
// presses a button.
#include <windows.h>

#include <string>
#include <vector>

#include "desktop_test_support.h"

struct ObservedBox {
    bool found = false;
    std::wstring caption;
    std::wstring text;                                    // the text control's text
    std::vector<std::pair<int, std::wstring>> buttons;    // push buttons: id and label, left to right
    std::wstring checkLabel;                              // empty without a check box
    bool topmost = false;
    int tag = -1;
    HWND owner = nullptr;
    SIZE clientSize = {0, 0};
};

class BoxDriver {
public:
    // Presses button `press` of the next box (ticking the check box first when `tick`); with
    // escapeFirst, Escape is tried first.
    explicit BoxDriver(int press, bool tick = false, bool escapeFirst = false);

    // Waits for the box to have been answered and returns what it showed.
    const ObservedBox& Result();

private:
    ObservedBox observed_;
    testsupport::DialogDriver driver_;
};

#pragma once
// Answers the next message box: records what it shows, then presses a button.
#include <windows.h>

#include <string>
#include <vector>

#include "desktop_test_support.h"

struct ObservedBox {
    bool found = false;
    std::wstring caption;
    std::wstring text;                                    // the text control's text
    std::vector<std::pair<int, std::wstring>> buttons;    // push buttons: id and label, left to right
    bool topmost = false;
    int tag = -1;
    HWND owner = nullptr;
    SIZE clientSize = {0, 0};
};

class BoxDriver {
public:
    // Presses button `press` of the next box; with escapeFirst, Escape is tried first.
    explicit BoxDriver(int press, bool escapeFirst = false);

    // Waits for the box to have been answered and returns what it showed.
    const ObservedBox& Result();

private:
    ObservedBox observed_;
    testsupport::DialogDriver driver_;
};

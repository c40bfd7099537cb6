#pragma once
// Drives a message box that the test's own thread is about to show: a helper thread waits for
// the box, records what it shows, optionally ticks its check box, then presses a button.
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

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
    // Presses button `press` of the next box shown by the calling thread (ticking the check box
    // first when `tick`); with escapeFirst, Escape is tried first.
    explicit BoxDriver(int press, bool tick = false, bool escapeFirst = false);
    ~BoxDriver();
    BoxDriver(const BoxDriver&) = delete;
    BoxDriver& operator=(const BoxDriver&) = delete;

    // Waits for the helper and returns what it saw.
    const ObservedBox& Result();

private:
    void Run(DWORD boxThread, int press, bool tick, bool escapeFirst);

    ObservedBox observed_;
    std::thread thread_;
};

#pragma once
// Drives a modal dialog from inside its own message loop, as a user would: a thread timer finds
// the dialog once it is up and hands it to the test's steps, which set controls and press
// buttons.
#include <windows.h>

#include <functional>
#include <string>

class DialogDriver {
public:
    // `steps` runs once, on the first dialog box this thread shows while the driver lives.
    explicit DialogDriver(std::function<void(HWND dialog)> steps);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    bool Ran() const { return ran_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

    std::function<void(HWND)> steps_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

// Presses a button (or toggles a check box) the way a mouse click does.
void Click(HWND dialog, int controlId);
std::wstring ControlText(HWND dialog, int controlId);
std::wstring WindowText(HWND window);
bool IsTopMost(HWND window);

#include "dialog_driver.h"

namespace {

DialogDriver* g_activeDriver = nullptr;

BOOL CALLBACK FindDialogBox(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogDriver::DialogDriver(std::function<void(HWND)> steps) : steps_(std::move(steps)) {
    g_activeDriver = this;
    timer_ = SetTimer(nullptr, 0, 30, &DialogDriver::OnTimer);
}

DialogDriver::~DialogDriver() {
    if (timer_) KillTimer(nullptr, timer_);
    g_activeDriver = nullptr;
}

void CALLBACK DialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* driver = g_activeDriver;
    if (!driver || driver->ran_) return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialogBox, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    KillTimer(nullptr, driver->timer_);
    driver->timer_ = 0;
    driver->ran_ = true;
    driver->steps_(dialog);
}

void Click(HWND dialog, int controlId) {
    SendMessageW(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

std::wstring ControlText(HWND dialog, int controlId) {
    return WindowText(GetDlgItem(dialog, controlId));
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

bool IsTopMost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

#include "app/application.h"
#include "base/program_names.h"
#include "resources/resource_ids.h"

namespace {

HWND FindRunningMainWindow() {
    if (HWND main = FindWindowW(kMainWindowClass, nullptr)) return main;
    HWND tray = FindWindowW(kTrayWindowClass, kTrayOwnerWindowTitle);
    return tray ? FindWindowExW(tray, nullptr, kMainWindowClass, nullptr) : nullptr;
}

}  // namespace

bool Application::CheckSingleInstance() {
    // Never closed: the mutex marks this copy as running for as long as the process lives.
    CreateMutexW(nullptr, FALSE, kMutexName);
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    HWND running = FindRunningMainWindow();
    if (!running) return true;
    if (IsIconic(running) || !IsWindowVisible(running)) {
        SendMessageW(running, WM_COMMAND, IDM_RESTORE, 0);
    }
    SetFocus(running);
    SetActiveWindow(running);
    SetForegroundWindow(running);
    return true;
}

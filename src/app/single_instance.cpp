#include "app/application.h"
#include "resources/resource_ids.h"

namespace {

constexpr wchar_t kMutexName[] = L"TavroWyvoMutex";
constexpr wchar_t kMainWindowClass[] = L"TavroWyvoClass";
constexpr wchar_t kTrayWindowClass[] = L"TavroWyvoTrayIconClass";
constexpr wchar_t kTrayWindowTitle[] = L"TavroWyvoTrayIconWindow";

HWND FindRunningMainWindow() {
    if (HWND main = FindWindowW(kMainWindowClass, nullptr)) return main;
    HWND tray = FindWindowW(kTrayWindowClass, kTrayWindowTitle);
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

#include "ui/tray_window.h"

#include "base/notifications.h"
#include "base/window_binding.h"
#include "ui/tray_icon.h"

namespace {

TrayIcon* g_liveTrayIcon = nullptr;

bool EndsSession(WPARAM wParam, LPARAM lParam) {
    return wParam != 0 || (static_cast<DWORD>(lParam) & ENDSESSION_LOGOFF) != 0;
}

LRESULT CALLBACK TrayWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* link = BoundObject<const TrayWindowLink*>(window, message, lParam);
    HWND main = link ? link->main : nullptr;
    if (message == WM_ENDSESSION && EndsSession(wParam, lParam)) {
        // Logging off or shutting down closes the program without the exit question.
        if (main) SendMessageW(main, kCloseQuietlyMessage, 0, 0);
        return 0;
    }
    if ((message == WM_DISPLAYCHANGE || message == WM_NCCALCSIZE) && main) {
        return SendMessageW(main, message, wParam, lParam);
    }
    TrayIcon* icon = link ? link->icon : nullptr;
    if (!icon || icon != g_liveTrayIcon) return DefWindowProcW(window, message, wParam, lParam);
    if (message == TaskbarCreatedMessage()) {
        icon->OnTaskbarCreated();
        return 0;
    }
    if (message == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA) {
        icon->OnWorkAreaChanged();
        return 0;
    }
    if (message == icon->CallbackMessage()) return icon->OnTrayNotification(wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterTrayWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = TrayWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTrayWindowClass;
    RegisterClassW(&windowClass);
}

HWND CreateTrayWindow(HINSTANCE instance, const wchar_t* title, const TrayWindowLink* link) {
    RegisterTrayWindowClass(instance);
    return CreateWindowExW(0, kTrayWindowClass, title, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, instance, const_cast<TrayWindowLink*>(link));
}

TrayIcon* LiveTrayIcon() {
    return g_liveTrayIcon;
}

void SetLiveTrayIcon(TrayIcon* icon) {
    g_liveTrayIcon = icon;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

#pragma once
// The hidden windows of the tray icon (class kTrayWindowClass) and the live icon they serve.
#include <windows.h>

class TrayIcon;

// What a window of the class serves: the window it stands in for, and the icon whose window it
// is (none for the hidden owner). Outlives the window.
struct TrayWindowLink {
    HWND main = nullptr;
    TrayIcon* icon = nullptr;
};

// Registers the class once per call; an existing registration is fine.
void RegisterTrayWindowClass(HINSTANCE instance);
// A never-shown popup window of the class, bound to `link`. It hands the session's end (as the
// quiet close), display changes and frame calculations on to the main window, and the shell's
// messages to the icon while that is the live one.
HWND CreateTrayWindow(HINSTANCE instance, const wchar_t* title, const TrayWindowLink* link);

// The one icon whose window is live; null when there is none.
TrayIcon* LiveTrayIcon();
void SetLiveTrayIcon(TrayIcon* icon);

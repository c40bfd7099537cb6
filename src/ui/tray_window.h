#pragma once
// The hidden windows of the tray icon (class kTrayWindowClass) and the live icon they serve.
#include <windows.h>

class TrayIcon;

// Registers the class once per call; an existing registration is fine.
void RegisterTrayWindowClass(HINSTANCE instance);
// A never-shown popup window of the class. It hands the session's end (as the quiet close),
// display changes and frame calculations on to `main`, the window it stands in for.
HWND CreateTrayWindow(HINSTANCE instance, const wchar_t* title, HWND main);

// The one icon whose window is live; null when there is none.
TrayIcon* LiveTrayIcon();
void SetLiveTrayIcon(TrayIcon* icon);

#pragma once
// The hidden windows of the tray icon (class kTrayWindowClass) and the live icon they serve.
#include <windows.h>

class TrayIcon;

// Registers the class once per call; an existing registration is fine.
void RegisterTrayWindowClass(HINSTANCE instance);
// A never-shown popup window of the class.
HWND CreateTrayWindow(HINSTANCE instance, const wchar_t* title);

// The one icon whose window is live; null when there is none.
TrayIcon* LiveTrayIcon();
void SetLiveTrayIcon(TrayIcon* icon);

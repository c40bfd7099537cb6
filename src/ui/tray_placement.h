#pragma once
// The program's own icon in the notification area, as start-up places it.
#include <windows.h>

#include <memory>

#include "ui/tray_icon.h"

// Adds `icon` for the main window: the tray callback message, `tip`, `mainIcon`, the tray menu,
// Restore as the double click's command. Where the system has no tray the icon is dropped and
// 10005 is shown; the program goes on without one, which counts as placed. True when placed.
bool PlaceProgramTrayIcon(std::unique_ptr<TrayIcon>& icon, HWND main, const wchar_t* tip, HICON mainIcon);

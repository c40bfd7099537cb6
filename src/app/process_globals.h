#pragma once
// Process-wide values that several parts of the program read. Written only on the UI thread.
#include <windows.h>

class Application;

struct ProcessGlobals {
    HINSTANCE executableInstance = nullptr;
    // Where dialogs, menus and strings come from: the executable, or a loaded language library.
    HINSTANCE resourceModule = nullptr;
    HWND mainWindow = nullptr;
    HICON mainIcon = nullptr;
    Application* application = nullptr;
    // Inner corners of the alignment board: 7 x 5 on a landscape desktop, 5 x 7 on a portrait one.
    int boardColumns = 7;
    int boardRows = 5;
};

extern ProcessGlobals g_process;

#pragma once
// The full-screen top-most window that covers the desktop while the gain is found, so the
// sensor learns the brightness of a plain white screen.
#include <windows.h>

// Window procedure of the TavroWyvoClassGain class; the window's user data is the Controller
// that paints it.
LRESULT CALLBACK GainOverlayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

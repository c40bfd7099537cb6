#pragma once
// Changing the desktop's size, as the display settings would. Xvfb offers one size only, so
// the callers run inside a Wine virtual desktop. Shared with the end-to-end program, which
// compiles this file on its own.
#include <windows.h>

// True when Windows took the new size.
bool ChangeDesktopSize(int width, int height);

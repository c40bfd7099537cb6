#pragma once
// What a running process holds, read from outside it: handles, GDI and USER objects and
// private bytes; a long run compares them at its start and its end.
#include <windows.h>

#include <string>

struct ProcessFigures {
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    SIZE_T privateBytes = 0;
};

// False when the process could not be opened.
bool MeasureProcess(DWORD processId, ProcessFigures* figures);

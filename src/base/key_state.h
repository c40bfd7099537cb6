#pragma once
#include <windows.h>

// A key counts as held when GetAsyncKeyState reports it down now (its high bit).
inline bool IsHeld(SHORT asyncState) { return (asyncState & 0x8000) != 0; }

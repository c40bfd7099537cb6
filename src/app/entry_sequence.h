#pragma once
#include <windows.h>

// The whole run of the program, from the single-instance check to the end of the message loop.
// Returns the process exit code.
int RunProgram();

#pragma once
// Xvfb offers one screen size only; a Wine virtual desktop can change its size. A scenario that
// needs a real desktop-size change runs itself again inside one and takes over that run's result.
#include <windows.h>

#include <string>

#include "harness/scenario.h"

// True in the run started by RunInVirtualDesktop.
bool InVirtualDesktop();
// Runs the scenario `name` again inside a 1024 x 768 virtual desktop, waits for it and adds its
// figures and failures to `report`.
void RunInVirtualDesktop(const std::string& name, DWORD timeoutMs, Report& report);
// Writes the inner run's result line where the outer run reads it.
void HandOverResult(const std::string& line);

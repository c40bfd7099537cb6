#pragma once
// How the installed state of the driver package is judged from what exists on the machine.
#include "install/driver_package.h"
#include "install/driver_results.h"

#include <functional>

// Counts the counted package files for which exists() is true. The TWAIN pair in Twain_32\Wyvo
// counts only when neither file of the pair exists in Twain_32\Q4400.
int CountInstalledFiles(const std::function<bool(const DriverFile&)>& exists);

// 0 files: not installed; all 24: installed; anything between: partly.
DriverState FileStateFromCount(int count);

// Installed only when both the files and the INF are; not installed only when neither is.
DriverState CombineDriverState(DriverState files, DriverState inf);

#pragma once
// What one start-up check of the sensor's driver works on; made for the check and dropped after.
#include <string>
#include <vector>

struct DriverContext {
    // Takes the Windows directory and the running program's path from the system.
    explicit DriverContext(const wchar_t* sensorVidPid);

    const wchar_t* vidPid;          // the sensor identity's VID/PID text, borrowed
    std::wstring windowsDirectory;  // without a trailing backslash; empty when not available
    std::wstring programPath;       // full path of the running program; empty when not available
    std::vector<wchar_t> lineBuffer;  // scratch for reading INF lines
};

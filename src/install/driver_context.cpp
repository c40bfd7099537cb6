#include "install/driver_context.h"

#include <windows.h>

namespace {

// A path the system wrote into a MAX_PATH buffer, or empty when it failed or did not fit.
std::wstring FittedPath(const wchar_t* buffer, UINT length) {
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace

DriverContext::DriverContext(const wchar_t* sensorVidPid) : vidPid(sensorVidPid) {
    wchar_t buffer[MAX_PATH] = {};
    windowsDirectory = FittedPath(buffer, GetWindowsDirectoryW(buffer, MAX_PATH));
    programPath = FittedPath(buffer, GetModuleFileNameW(nullptr, buffer, MAX_PATH));
}

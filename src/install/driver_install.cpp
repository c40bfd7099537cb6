#include "install/driver_files.h"
#include "install/driver_operations.h"
#include "install/driver_package.h"

#include <windows.h>
#include <setupapi.h>

namespace {
// Gives the system time to finish removing the old device before the new INF arrives.
constexpr DWORD kSettleAfterReleaseMs = 1000;
}

InstallResult InstallDriver(DriverContext& context, bool releaseFirst) {
    if (releaseFirst) {
        ReleaseDriver(context);
        Sleep(kSettleAfterReleaseMs);
    }
    const std::wstring packageInf = PackageInfPath(context.programPath);
    if (packageInf.empty()) return InstallResult::CopyFailed;
    if (!FileExists(packageInf)) return InstallResult::InfMissing;
    wchar_t storedAs[MAX_PATH];
    const BOOL copied = SetupCopyOEMInfW(packageInf.c_str(), nullptr, SPOST_PATH,
                                         SP_COPY_NEWER_OR_SAME, storedAs, MAX_PATH, nullptr,
                                         nullptr);
    return copied ? InstallResult::InfCopied : InstallResult::CopyFailed;
}

#include "install/device_removal.h"

#include "install/device_list.h"
#include "install/driver_package.h"

#include <string>

namespace {
constexpr DWORD kHardwareIdBytes = 2048;
}

bool RemoveSensorDeviceNode(const wchar_t* vidPid) {
    if (!vidPid || !*vidPid) return false;
    std::wstring wanted = std::wstring(L"usb\\") + vidPid;
    CharLowerW(wanted.data());

    bool removed = false;
    wchar_t hardwareId[kHardwareIdBytes / sizeof(wchar_t)];
    VisitPresentDevices([&](HDEVINFO list, SP_DEVINFO_DATA& device) {
        // The property is a list of texts; the first, the most specific, is the one compared.
        // The last character stays free so the text always ends.
        hardwareId[0] = L'\0';
        if (!SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_HARDWAREID, nullptr,
                                               reinterpret_cast<BYTE*>(hardwareId),
                                               kHardwareIdBytes - sizeof(wchar_t), nullptr)) {
            return false;
        }
        hardwareId[kHardwareIdBytes / sizeof(wchar_t) - 1] = L'\0';
        CharLowerW(hardwareId);
        if (!ContainsCaseSensitive(hardwareId, wanted.c_str())) return false;
        removed = SetupDiRemoveDevice(list, &device) != FALSE;
        return true;
    });
    return removed;
}

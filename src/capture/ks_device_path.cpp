#include "capture/ks_device_path.h"

#include <windows.h>
#include <ks.h>
#include <ksmedia.h>
#include <setupapi.h>

#include <vector>

#include "capture/text_match.h"
#include "install/setup_handles.h"

namespace {

constexpr DWORD kInstanceIdCapacity = 260;

// Opens the device's capture interfaces in order; empty when none opens or the detail of one
// cannot be read (the device is then given up).
UniqueFile OpenDeviceInterfaces(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        if (!SetupDiEnumDeviceInterfaces(devices, &device, &KSCATEGORY_CAPTURE, index, &interfaceData)) {
            if (GetLastError() == ERROR_NO_MORE_ITEMS) return UniqueFile();
            continue;
        }
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(devices, &interfaceData, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return UniqueFile();
        std::vector<BYTE> buffer(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(devices, &interfaceData, detail, size, nullptr, nullptr))
            return UniqueFile();
        UniqueFile opened(CreateFileW(detail->DevicePath, GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (opened) return opened;
    }
}

}  // namespace

bool IsPropertyDeviceInstance(const wchar_t* instanceId, const wchar_t* vidPid) {
    return ContainsText(instanceId, vidPid) && !ContainsText(instanceId, L"MI_01");
}

UniqueFile OpenSensorCaptureInterface(const wchar_t* vidPid) {
    const UniqueDeviceList devices(
        SetupDiGetClassDevsW(&KSCATEGORY_CAPTURE, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!devices) return UniqueFile();
    HDEVINFO list = devices.Get();
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        if (!SetupDiEnumDeviceInfo(list, index, &device)) {
            if (GetLastError() == ERROR_NO_MORE_ITEMS) return UniqueFile();
            continue;
        }
        wchar_t instanceId[kInstanceIdCapacity] = {};
        if (!SetupDiGetDeviceInstanceIdW(list, &device, instanceId, kInstanceIdCapacity, nullptr)) continue;
        if (!IsPropertyDeviceInstance(instanceId, vidPid)) continue;
        UniqueFile opened = OpenDeviceInterfaces(list, device);
        if (opened) return opened;
    }
}

#include "capture/ks_device_path.h"

#include <windows.h>
#include <ks.h>
#include <ksmedia.h>
#include <setupapi.h>

#include <vector>

#include "capture/setup_item_walk.h"
#include "capture/text_match.h"
#include "base/setup_handles.h"

namespace {

constexpr DWORD kInstanceIdCapacity = 260;

}  // namespace

UniqueFile OpenDeviceCaptureInterface(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    SetupItemWalk walk;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        if (!SetupDiEnumDeviceInterfaces(devices, &device, &KSCATEGORY_CAPTURE, index, &interfaceData)) {
            if (walk.SkipFailed(GetLastError())) continue;
            return UniqueFile();
        }
        walk.Read();
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

bool IsPropertyDeviceInstance(const wchar_t* instanceId, const wchar_t* vidPid) {
    return ContainsText(instanceId, vidPid) && !ContainsText(instanceId, L"MI_01");
}

UniqueFile OpenSensorCaptureInterface(const wchar_t* vidPid) {
    const UniqueDeviceList devices(
        SetupDiGetClassDevsW(&KSCATEGORY_CAPTURE, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!devices) return UniqueFile();
    return OpenSensorCaptureInterface(devices.Get(), vidPid);
}

UniqueFile OpenSensorCaptureInterface(HDEVINFO list, const wchar_t* vidPid) {
    SetupItemWalk walk;
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        if (!SetupDiEnumDeviceInfo(list, index, &device)) {
            if (walk.SkipFailed(GetLastError())) continue;
            return UniqueFile();
        }
        walk.Read();
        wchar_t instanceId[kInstanceIdCapacity] = {};
        if (!SetupDiGetDeviceInstanceIdW(list, &device, instanceId, kInstanceIdCapacity, nullptr)) continue;
        if (!IsPropertyDeviceInstance(instanceId, vidPid)) continue;
        UniqueFile opened = OpenDeviceCaptureInterface(list, device);
        if (opened) return opened;
    }
}

#include "install/device_list.h"

#include "base/setup_handles.h"

bool VisitPresentDevices(const std::function<bool(HDEVINFO, SP_DEVINFO_DATA&)>& visit) {
    UniqueDeviceList list(
        SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES));
    if (!list) return false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(list.Get(), index, &device); ++index) {
        if (visit(list.Get(), device)) break;
    }
    return true;
}

#include "install/device_list.h"
#include "install/driver_operations.h"
#include "install/presence_scan.h"

namespace {
constexpr DWORD kInstanceIdCapacity = 4096;
}

Presence CheckPresence(const DriverContext& context) {
    PresenceScan scan(context.vidPid);
    wchar_t instanceId[kInstanceIdCapacity];
    const bool listed = VisitPresentDevices([&](HDEVINFO list, SP_DEVINFO_DATA& device) {
        if (!SetupDiGetDeviceInstanceIdW(list, &device, instanceId, kInstanceIdCapacity, nullptr)) {
            return false;
        }
        CharUpperW(instanceId);
        return scan.Observe(instanceId);
    });
    return listed ? scan.Result() : Presence::Unavailable;
}

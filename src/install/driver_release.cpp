#include "install/device_removal.h"
#include "install/driver_files.h"
#include "install/driver_infs.h"
#include "install/driver_operations.h"
#include "install/driver_registry_cleanup.h"

void ReleaseDriver(DriverContext& context) {
    RemoveSensorDeviceNode(context.vidPid);
    DeleteDriverFiles(context.windowsDirectory);
    DeleteSensorInfs(context);
    RemoveDriverRegistryEntries();
}

#include "install/driver_files.h"
#include "install/driver_infs.h"
#include "install/driver_operations.h"
#include "install/driver_state_rules.h"

DriverState GetDriverState(DriverContext& context) {
    const DriverState files =
        FileStateFromCount(CountInstalledDriverFiles(context.windowsDirectory));
    return CombineDriverState(files, InfStateOf(context));
}

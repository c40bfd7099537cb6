#pragma once
// The package's INFs in the system's INF store (oem*.inf below the Windows directory).
#include "install/driver_context.h"
#include "install/driver_results.h"

// The first INF of the store (in file search order) with a model line for the sensor decides:
// installed when its PNF exists too, partly installed without it; none: not installed.
DriverState InfStateOf(DriverContext& context);

// Deletes every INF of the store with a model line for the sensor, and its PNF.
void DeleteSensorInfs(DriverContext& context);

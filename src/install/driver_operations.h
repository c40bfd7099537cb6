#pragma once
// Presence of the sensor and the pen's RF receiver, and the state, installation and removal of
// the sensor's driver package. UI thread only, before the capture graph exists.
#include "install/driver_context.h"
#include "install/driver_results.h"

// Which of the sensor (by the VID/PID text, as stored) and the RF receiver are attached.
Presence CheckPresence(const DriverContext& context);

// How much of the package is installed: its files and its INF (with the PNF) in the INF store.
DriverState GetDriverState(DriverContext& context);

// Copies the package INF that lies beside the program's folder into the INF store; with
// releaseFirst the earlier installation is removed first.
InstallResult InstallDriver(DriverContext& context, bool releaseFirst);

// Removes the sensor's device node, the package's files, its INFs with their PNFs, its registry
// keys and the machine-wide auto-start value. What cannot be deleted is passed over.
void ReleaseDriver(DriverContext& context);

#pragma once
// The start-up check of the sensor as a sequence of decisions over what is known so far: which
// fact to gather next, which question to ask, and which message ends the start. Kept apart from
// the system calls so every path can be followed without a device or a message box.
#include <optional>

#include "capture/sensor_identity.h"
#include "install/driver_results.h"

struct StartupFacts {
    std::optional<Presence> presence;
    std::optional<SensorMatch> sensorMatch;
    std::optional<DriverState> driverState;
    std::optional<bool> installAccepted;  // the user's answer to 10013 or 10014
    std::optional<InstallResult> installResult;
};

enum class StartupStep {
    // Gather the next fact.
    CheckPresence,
    OpenSensor,
    CheckDriver,
    AskInstall,        // 10013: nothing of the driver is installed
    AskReinstall,      // 10014: the installation is incomplete or damaged
    Install,           // copy the package INF
    ReleaseAndInstall, // remove the earlier installation, then copy the package INF
    // Ends of the check.
    SensorReady,          // the sensor is open
    Quit,                 // the user declined the installation: no further message
    ShowSystemError,      // 10001 with the system's text for the last error
    ShowSensorFailure,    // 10001 with the sensor's own message
    ShowSensorNotFound,   // 10011
    ShowSetupCopyFailed,  // 10016
    ShowSetupInfMissing,  // 10017
    ShowReplugDevice,     // 10018: the INF is in the store; Windows installs on re-plugging
};

StartupStep NextStartupStep(const StartupFacts& facts);

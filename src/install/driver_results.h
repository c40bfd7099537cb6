#pragma once
// Result codes of the driver presence check, the installed-state check and the installation.

// What the presence check found among the attached devices.
enum Presence : int {
    PresenceUnavailable = 0,  // the device list could not be read
    PresenceNothing = 1,
    PresenceReceiverOnly = 2,
    PresenceSensorOnly = 3,
    PresenceSensorAndReceiver = 4,
};

// How much of the driver package is on the machine.
enum DriverState : int {
    DriverNotInstalled = 0,
    DriverPartlyInstalled = 1,
    DriverInstalled = 2,
};

enum InstallResult : int {
    InstallInfCopied = 0,
    InstallCopyFailed = -1,  // also when the program's own path is not available
    InstallInfMissing = -2,
};

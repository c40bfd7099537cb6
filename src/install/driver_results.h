#pragma once
// Results of the driver presence check, the installed-state check and the installation.

// What the presence check found among the attached devices.
enum class Presence {
    Unavailable,  // the device list could not be read
    Nothing,
    ReceiverOnly,
    SensorOnly,
    SensorAndReceiver,
};

// How much of the driver package is on the machine.
enum class DriverState {
    NotInstalled,
    PartlyInstalled,
    Installed,
};

enum class InstallResult {
    InfCopied,
    CopyFailed,  // also when the program's own path is not available
    InfMissing,
};

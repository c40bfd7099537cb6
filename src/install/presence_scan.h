#pragma once
// The decision part of the presence check: fed the upper-cased instance id of each attached
// device in turn, it tells when both the sensor and the RF receiver have been seen.
#include "install/driver_results.h"

class PresenceScan {
public:
    // vidPid is borrowed and compared as stored: a lower-case text never matches.
    explicit PresenceScan(const wchar_t* vidPid) : vidPid_(vidPid) {}

    // Looks at one upper-cased instance id; true once both devices have been found.
    bool Observe(const wchar_t* upperInstanceId);
    Presence Result() const;

private:
    const wchar_t* vidPid_;
    bool sensorFound_ = false;
    bool receiverFound_ = false;
};

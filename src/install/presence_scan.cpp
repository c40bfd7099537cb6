#include "install/presence_scan.h"

#include "install/driver_package.h"

bool PresenceScan::Observe(const wchar_t* upperInstanceId) {
    if (!receiverFound_) {
        for (const wchar_t* receiverId : kReceiverHardwareIds) {
            if (ContainsCaseSensitive(upperInstanceId, receiverId)) {
                receiverFound_ = true;
                break;
            }
        }
    }
    if (!sensorFound_) sensorFound_ = ContainsCaseSensitive(upperInstanceId, vidPid_);
    return sensorFound_ && receiverFound_;
}

Presence PresenceScan::Result() const {
    if (sensorFound_) return receiverFound_ ? Presence::SensorAndReceiver : Presence::SensorOnly;
    return receiverFound_ ? Presence::ReceiverOnly : Presence::Nothing;
}

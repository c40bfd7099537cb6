#include "install/driver_state_rules.h"

int CountInstalledFiles(const std::function<bool(const DriverFile&)>& exists) {
    int counted = 0;
    int twainPrimary = 0;
    int twainFallback = 0;
    for (const DriverFile& file : kDriverFiles) {
        if (file.role == DriverFileRole::RemovedOnly || !exists(file)) continue;
        switch (file.role) {
        case DriverFileRole::TwainPrimary: ++twainPrimary; break;
        case DriverFileRole::TwainFallback: ++twainFallback; break;
        default: ++counted; break;
        }
    }
    return counted + (twainPrimary > 0 ? twainPrimary : twainFallback);
}

DriverState FileStateFromCount(int count) {
    if (count == 0) return DriverNotInstalled;
    return count == kCompleteDriverFileCount ? DriverInstalled : DriverPartlyInstalled;
}

DriverState CombineDriverState(DriverState files, DriverState inf) {
    if (files == DriverInstalled && inf == DriverInstalled) return DriverInstalled;
    if (files == DriverNotInstalled && inf == DriverNotInstalled) return DriverNotInstalled;
    return DriverPartlyInstalled;
}

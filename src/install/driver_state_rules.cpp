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
    if (count == 0) return DriverState::NotInstalled;
    return count == kCompleteDriverFileCount ? DriverState::Installed : DriverState::PartlyInstalled;
}

DriverState CombineDriverState(DriverState files, DriverState inf) {
    if (files == DriverState::Installed && inf == DriverState::Installed) return DriverState::Installed;
    if (files == DriverState::NotInstalled && inf == DriverState::NotInstalled) return DriverState::NotInstalled;
    return DriverState::PartlyInstalled;
}

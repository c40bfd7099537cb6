#include "install/driver_registry_cleanup.h"

#include "base/unique_handle.h"
#include "install/driver_package.h"

void RemoveDriverRegistryEntries() {
    // Each listed key belongs to the driver package alone (its uninstall entry, the class ids of
    // its filters, its media set and interface, its capture format), so the key is removed whole
    // rather than only emptied of a value: left in place, the class ids would keep pointing at
    // the driver files that were just deleted, and a fresh installation writes them again.
    // Removal is bounded by the key: siblings and parents stay as they are.
    for (const RegistryKeyName& key : kDriverRegistryKeys) RegDeleteTreeW(key.root, key.path);

    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        UniqueRegistryKey runKey(run);
        RegDeleteValueW(runKey.Get(), kMachineAutoStartValue);
    }
}

#pragma once
// Removes what the driver package registered, and the program's machine-wide auto-start value.

// Removes each key of the package's list (with everything below it), then the value "TavroPen"
// of the machine-wide Run key. Keys or values that are not there, or cannot be removed, are passed
// over. Nothing outside those keys and that one value is touched.
void RemoveDriverRegistryEntries();

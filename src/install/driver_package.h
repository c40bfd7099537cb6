#pragma once
// What the sensor's driver package puts on a machine, and how the program recognises it.
#include <windows.h>

#include <array>
#include <string>

// How a file of the package takes part in the installed-state count and the clean-up.
enum class DriverFileRole {
    Counted,        // counted, deleted
    TwainPrimary,   // counted, deleted
    TwainFallback,  // counted only when no TwainPrimary file exists; deleted
    RemovedOnly,    // not counted, deleted
};

struct DriverFile {
    const wchar_t* folder;  // relative to the Windows directory; empty for the directory itself
    const wchar_t* name;
    DriverFileRole role;
};

// Every file of the package, in clean-up order.
extern const std::array<DriverFile, 27> kDriverFiles;
// A complete installation has this many counted files.
constexpr int kCompleteDriverFileCount = 24;

// The model section of the package INF, and the text a line of it carries for the sensor.
extern const wchar_t kDriverInfSection[];
extern const wchar_t kDriverModelText[];
// Search pattern of the INF store, below the Windows directory.
extern const wchar_t kInfStorePattern[];
// Where the package INF lies, below the folder above the program's own.
extern const wchar_t kPackageInfRelative[];

// The pen's RF receiver, by hardware id, in the order they are tried.
extern const std::array<const wchar_t*, 3> kReceiverHardwareIds;

struct RegistryKeyName {
    HKEY root;
    const wchar_t* path;
};
// Keys the driver package registers, in clean-up order.
extern const std::array<RegistryKeyName, 8> kDriverRegistryKeys;
// The machine-wide auto-start value removed with the driver.
extern const wchar_t kMachineRunKey[];
extern const wchar_t kMachineAutoStartValue[];

// Plain, case-sensitive substring test. An empty part is contained nowhere: an empty VID/PID text
// must never select a device, an INF or a driver to remove.
bool ContainsCaseSensitive(const wchar_t* text, const wchar_t* part);

// True when a line of the model section belongs to the sensor: it holds the model text and the
// VID/PID text, both compared with case.
bool InfLineBelongsToSensor(const wchar_t* lineText, const wchar_t* vidPid);

// The package INF for a program at programPath ("C:\Tavro\bin\tavro.exe" gives
// "C:\Tavro\driver\Q4400CVd.inf"); empty when the path has no folder above the program's.
std::wstring PackageInfPath(const std::wstring& programPath);

// The precompiled file that goes with an INF: the same name with ".PNF" for its extension.
std::wstring PnfPathFor(const std::wstring& infPath);

#include "install/driver_package.h"

#include <cwchar>

namespace {
constexpr const wchar_t* kSystem = L"system";
constexpr const wchar_t* kDrivers = L"system32\\drivers";
constexpr DriverFileRole kCounted = DriverFileRole::Counted;
}  // namespace

// The .csr and .bin names are those the package ships; their folders are fixed.
const std::array<DriverFile, 27> kDriverFiles = {{
    {kDrivers, L"Q4400KNT.sys", kCounted},
    {kSystem, L"Q4400C01.csr", kCounted},
    {kSystem, L"Q4400C02.csr", kCounted},
    {kSystem, L"Q4400C03.csr", kCounted},
    {kSystem, L"Q4400C04.csr", kCounted},
    {kSystem, L"Q4400C05.csr", kCounted},
    {kSystem, L"Q4400C06.csr", kCounted},
    {kSystem, L"Q4400C07.csr", kCounted},
    {kSystem, L"Q4400C08.csr", kCounted},
    {kDrivers, L"Q4400F01.bin", kCounted},
    {kDrivers, L"Q4400F02.bin", kCounted},
    {kDrivers, L"Q4400F03.bin", kCounted},
    {kDrivers, L"Q4400F04.bin", kCounted},
    {kDrivers, L"Q4400F05.bin", kCounted},
    {kDrivers, L"Q4400F06.bin", kCounted},
    {kDrivers, L"Q4400F07.bin", kCounted},
    {kDrivers, L"Q4400F08.bin", kCounted},
    {kSystem, L"Q4400Dex.dll", kCounted},
    {kSystem, L"Q4400Vex.dll", kCounted},
    {L"", L"Q4400Twn.ini", kCounted},
    {L"", L"Q4400Twn.src", kCounted},
    {L"System32", L"Q4400DIF.dll", kCounted},
    {L"Twain_32\\Q4400", L"Q4400Twn.dll", DriverFileRole::TwainPrimary},
    {L"Twain_32\\Q4400", L"Q4400Twn.ds", DriverFileRole::TwainPrimary},
    {L"Twain_32\\Wyvo", L"Q4400Twn.dll", DriverFileRole::TwainFallback},
    {L"Twain_32\\Wyvo", L"Q4400Twn.ds", DriverFileRole::TwainFallback},
    {kSystem, L"Q4400Rmv.exe", DriverFileRole::RemovedOnly},
}};

const wchar_t kDriverInfSection[] = L"Q4400Cam.Section";
const wchar_t kDriverModelText[] = L"Q4400Cam.Device,USB";
const wchar_t kInfStorePattern[] = L"\\inf\\oem*.inf";
const wchar_t kPackageInfRelative[] = L"driver\\Q4400CVd.inf";

const std::array<const wchar_t*, 3> kReceiverHardwareIds = {
    L"HID\\VID_6624&PID_5488", L"HID\\VID_9999&PID_0001", L"HID\\VID_04B8&PID_0C03"};

const std::array<RegistryKeyName, 8> kDriverRegistryKeys = {{
    {HKEY_LOCAL_MACHINE,
     L"SoftWare\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{56A648C2-D185-46A9-BBFF-78AE7A501000}"},
    {HKEY_CLASSES_ROOT, L"CLSID\\{A7974C56-A77E-4B90-8CBF-1C71EC301000}"},
    {HKEY_CLASSES_ROOT, L"CLSID\\{7EBBB1AF-C455-4f97-B5E7-9D4E5B981000}"},
    {HKEY_CLASSES_ROOT, L"CLSID\\{7EBBB1AF-C455-4f97-B5E7-9D4E5B981001}"},
    {HKEY_CLASSES_ROOT, L"CLSID\\{7EBBB1AF-C455-4f97-B5E7-9D4E5B981003}"},
    {HKEY_LOCAL_MACHINE,
     L"System\\CurrentControlSet\\Control\\MediaSets\\{A7974C56-A77E-4B90-8CBF-1C71EC301000}"},
    {HKEY_LOCAL_MACHINE,
     L"System\\CurrentControlSet\\Control\\MediaInterfaces\\{A7974C56-A77E-4B90-8CBF-1C71EC301000}"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Conferencing\\CaptureDefaultFormats\\Tavro Sensor"},
}};

const wchar_t kMachineRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kMachineAutoStartValue[] = L"TavroPen";

bool ContainsCaseSensitive(const wchar_t* text, const wchar_t* part) {
    return part && *part && std::wcsstr(text, part);
}

bool InfLineBelongsToSensor(const wchar_t* lineText, const wchar_t* vidPid) {
    return ContainsCaseSensitive(lineText, kDriverModelText) && ContainsCaseSensitive(lineText, vidPid);
}

std::wstring PackageInfPath(const std::wstring& programPath) {
    const size_t programSlash = programPath.rfind(L'\\');
    if (programSlash == std::wstring::npos || programSlash == 0) return {};
    const size_t parentSlash = programPath.rfind(L'\\', programSlash - 1);
    if (parentSlash == std::wstring::npos) return {};
    return programPath.substr(0, parentSlash + 1) + kPackageInfRelative;
}

std::wstring PnfPathFor(const std::wstring& infPath) {
    const size_t dot = infPath.rfind(L'.');
    const size_t slash = infPath.rfind(L'\\');
    const bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    return (hasExtension ? infPath.substr(0, dot) : infPath) + L".PNF";
}

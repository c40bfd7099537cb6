#pragma once
// A test case's own piece of the Wine prefix: device nodes, files in the Windows folders, INFs in
// the INF store and registry keys, all made through the system and all removed again when the
// case ends. The prefix is shared by every test program of the build, so only what a case made
// is ever removed, and cases of this program run one at a time.
#include <windows.h>

#include <string>
#include <vector>

#include "install/driver_context.h"
#include "install/driver_package.h"
#include "desktop_test_support.h"
#include "test_support.h"

namespace installtest {

// The sensor identity the cases use: no other test or tool of the build knows this device.
inline constexpr wchar_t kTestVidPid[] = L"VID_7A11&PID_13D5";
inline constexpr wchar_t kOtherVidPid[] = L"VID_7A11&PID_13D6";
inline constexpr wchar_t kSensorInstanceId[] = L"USB\\VID_7A11&PID_13D5&MI_00\\TAVROTEST0";
inline constexpr wchar_t kOtherInstanceId[] = L"USB\\VID_7A11&PID_13D6\\TAVROTEST1";

// The text of an INF whose model section names the device with the given VID/PID text.
std::string InfText(const wchar_t* vidPid);
// An INF without the sensor's model section.
std::string UnrelatedInfText();

class PrefixState {
public:
    PrefixState();
    ~PrefixState();
    PrefixState(const PrefixState&) = delete;
    PrefixState& operator=(const PrefixState&) = delete;

    const std::wstring& WindowsDirectory() const { return windows_; }

    // A present imaging device node with that instance id (one of the ids above) and first
    // hardware id, by default the instance id without its serial.
    void AddDevice(const wchar_t* instanceId, std::wstring hardwareId = L"");
    static bool DeviceExists(const wchar_t* instanceId);

    // Writes every counted file, the Twain_32\Q4400 pair included, or with `all` every file the
    // package lists (making their folders when missing).
    void PlaceFiles(bool all = false);

    // Writes an INF into the store, with its PNF when asked; returns its full path.
    std::wstring PlaceStoreInf(const wchar_t* name, const std::string& text, bool withPnf);

    // Creates a key with a value and a sub-key below it.
    void AddRegistryKey(HKEY root, const std::wstring& path);
    static bool RegistryKeyExists(HKEY root, const std::wstring& path);
    void SetMachineRunValue(const wchar_t* name);
    static bool MachineRunValueExists(const wchar_t* name);

    // The INFs of the store whose text is exactly `text`.
    std::vector<std::wstring> StoreInfsWithText(const std::string& text) const;

private:
    void Clean();
    void EnsureFolder(const std::wstring& folder);

    // ctest runs the cases of this program as parallel processes; the devices, files and keys
    // they make are machine-wide, so one case at a time.
    testsupport::NamedLock lock_{L"TavroInstallTestsPrefixLock"};
    std::wstring windows_;
    std::vector<std::wstring> folders_;  // made by this case, removed when empty
    std::vector<std::pair<HKEY, std::wstring>> keys_;
    std::vector<std::wstring> runValues_;
};

// A scratch program folder "bin" with the package's "driver" folder beside it.
class ProgramFolder {
public:
    explicit ProgramFolder(bool withPackageInf);
    // A context whose program lives in this folder.
    DriverContext Context() const;
    // Differs from every INF the cases place in the store, so its copy is recognisable.
    static std::string PackageInfText();

private:
    testsupport::ScratchDirectory scratch_;
};

}  // namespace installtest

#include "prefix_state.h"

#include <setupapi.h>
#include <initguid.h>
#include <devguid.h>

#include <gtest/gtest.h>

#include "base/setup_handles.h"
#include "base/unique_handle.h"
#include "install/device_list.h"
#include "install/device_removal.h"
#include "install/driver_files.h"

namespace installtest {
namespace {

constexpr char kMarker[] = "; made by the install tests\r\n";
constexpr wchar_t kValueName[] = L"TavroTestValue";

// Every INF of the store, as full paths.
std::vector<std::wstring> StoreInfs(const std::wstring& windows) {
    std::vector<std::wstring> infs;
    const std::wstring store = windows + L"\\inf\\";
    WIN32_FIND_DATAW found;
    const UniqueFileSearch search(FindFirstFileW((store + L"*.inf").c_str(), &found));
    if (!search) return infs;
    do {
        infs.push_back(store + found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
    return infs;
}

}  // namespace

std::string InfText(const wchar_t* vidPid) {
    return std::string(kMarker) +
           "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Image\r\n"
           "ClassGuid={6bdd1fc6-810f-11d0-bec7-08002be2092f}\r\nProvider=%Mfg%\r\n\r\n"
           "[Manufacturer]\r\n%Mfg%=Q4400Cam.Section\r\n\r\n"
           "[Q4400Cam.Section]\r\n"
           "%Q4400Cam.OtherDesc%=Q4400Cam.Other, USB\\VID_0000&PID_0000\r\n"
           "%Q4400Cam.DeviceDesc%=Q4400Cam.Device, USB\\" + std::string(vidPid, vidPid + wcslen(vidPid)) + "\r\n\r\n"
           "[Strings]\r\nMfg=\"Install test\"\r\nQ4400Cam.DeviceDesc=\"Test sensor\"\r\n"
           "Q4400Cam.OtherDesc=\"Other device\"\r\n";
}

std::string UnrelatedInfText() {
    return std::string(kMarker) +
           "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Image\r\n\r\n"
           "[Manufacturer]\r\nOther=Other.Section\r\n\r\n"
           "[Other.Section]\r\nOther camera=Other.Device, USB\\VID_7A11&PID_13D5\r\n";
}

PrefixState::PrefixState() {
    wchar_t buffer[MAX_PATH] = {};
    GetWindowsDirectoryW(buffer, MAX_PATH);
    windows_ = buffer;
    Clean();  // leftovers of a case that was killed half-way
}

PrefixState::~PrefixState() {
    Clean();
    for (auto key = keys_.rbegin(); key != keys_.rend(); ++key) RegDeleteTreeW(key->first, key->second.c_str());
    for (const std::wstring& name : runValues_) RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMachineRunKey, name.c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) RemoveDirectoryW(folder->c_str());
}

void PrefixState::Clean() {
    for (const wchar_t* vidPid : {kTestVidPid, kOtherVidPid}) while (RemoveSensorDeviceNode(vidPid)) {}
    DeleteDriverFiles(windows_);
    for (const std::wstring& inf : StoreInfs(windows_)) {
        if (testsupport::ReadBytes(inf).rfind(kMarker, 0) != 0) continue;
        DeleteFileW(inf.c_str());
        DeleteFileW(PnfPathFor(inf).c_str());
    }
}

void PrefixState::AddDevice(const wchar_t* instanceId, std::wstring hardwareId) {
    const UniqueDeviceList devices(SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_IMAGE, nullptr));
    const HDEVINFO list = devices.Get();
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    if (hardwareId.empty()) hardwareId = std::wstring(instanceId, wcsrchr(instanceId, L'\\') - instanceId);
    std::wstring multi = hardwareId;
    multi.append(2, L'\0');
    const bool made =
        SetupDiCreateDeviceInfoW(list, instanceId, &GUID_DEVCLASS_IMAGE, nullptr, nullptr, 0, &device) &&
        SetupDiSetDeviceRegistryPropertyW(list, &device, SPDRP_HARDWAREID,
                                          reinterpret_cast<const BYTE*>(multi.data()),
                                          static_cast<DWORD>(multi.size() * sizeof(wchar_t))) &&
        SetupDiRegisterDeviceInfo(list, &device, 0, nullptr, nullptr, nullptr);
    EXPECT_TRUE(made) << "device node not made: " << GetLastError();
}

bool PrefixState::DeviceExists(const wchar_t* instanceId) {
    bool found = false;
    VisitPresentDevices([&](HDEVINFO list, SP_DEVINFO_DATA& device) {
        wchar_t id[4096];
        found = SetupDiGetDeviceInstanceIdW(list, &device, id, 4096, nullptr) && _wcsicmp(id, instanceId) == 0;
        return found;
    });
    return found;
}

void PrefixState::EnsureFolder(const std::wstring& folder) {
    const size_t slash = folder.rfind(L'\\');
    if (slash != std::wstring::npos && slash > windows_.size()) EnsureFolder(folder.substr(0, slash));
    if (CreateDirectoryW(folder.c_str(), nullptr)) folders_.push_back(folder);
}

void PrefixState::PlaceFiles(bool all) {
    for (const DriverFile& file : kDriverFiles) {
        if (!all && file.role != DriverFileRole::Counted && file.role != DriverFileRole::TwainPrimary) continue;
        const std::wstring path = DriverFilePath(windows_, file);
        EnsureFolder(path.substr(0, path.rfind(L'\\')));
        testsupport::WriteBytes(path, "package file", 12);
    }
}

std::wstring PrefixState::PlaceStoreInf(const wchar_t* name, const std::string& text, bool withPnf) {
    const std::wstring path = windows_ + L"\\inf\\" + name;
    testsupport::WriteBytes(path, text.data(), text.size());
    if (withPnf) testsupport::WriteBytes(PnfPathFor(path), "pnf", 3);
    return path;
}

void PrefixState::AddRegistryKey(HKEY root, const std::wstring& path) {
    // Setting a value makes its key, and the keys above it, as needed.
    const DWORD one = 1;
    ASSERT_EQ(RegSetKeyValueW(root, path.c_str(), kValueName, REG_DWORD, &one, sizeof one), ERROR_SUCCESS) << path;
    keys_.emplace_back(root, path);
    const std::wstring below = path + L"\\InprocServer32";
    EXPECT_EQ(RegSetKeyValueW(root, below.c_str(), kValueName, REG_DWORD, &one, sizeof one), ERROR_SUCCESS) << below;
}

bool PrefixState::RegistryKeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void PrefixState::SetMachineRunValue(const wchar_t* name) {
    const wchar_t command[] = L"C:\\Tavro\\bin\\tavro.exe";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMachineRunKey, name, REG_SZ, command, sizeof command), ERROR_SUCCESS);
    runValues_.push_back(name);
}

bool PrefixState::MachineRunValueExists(const wchar_t* name) {
    return RegGetValueW(HKEY_LOCAL_MACHINE, kMachineRunKey, name, RRF_RT_ANY, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

std::vector<std::wstring> PrefixState::StoreInfsWithText(const std::string& text) const {
    std::vector<std::wstring> matches;
    for (const std::wstring& inf : StoreInfs(windows_))
        if (testsupport::ReadBytes(inf) == text) matches.push_back(inf);
    return matches;
}

ProgramFolder::ProgramFolder(bool withPackageInf) : scratch_(L"install_program") {
    CreateDirectoryW((scratch_.Path() + L"\\bin").c_str(), nullptr);
    CreateDirectoryW((scratch_.Path() + L"\\driver").c_str(), nullptr);
    if (withPackageInf) {
        const std::string text = PackageInfText();
        testsupport::WriteBytes(scratch_.Path() + L"\\driver\\Q4400CVd.inf", text.data(), text.size());
    }
}

DriverContext ProgramFolder::Context() const {
    DriverContext context(kTestVidPid);
    context.programPath = scratch_.Path() + L"\\bin\\tavro.exe";
    return context;
}

std::string ProgramFolder::PackageInfText() { return InfText(kTestVidPid) + "; package\r\n"; }

}  // namespace installtest

// The driver package in the prefix: its installed state, and releasing an earlier installation.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "install/driver_files.h"
#include "install/driver_operations.h"
#include "prefix_state.h"

namespace installtest {
namespace {

DriverState CurrentState() {
    DriverContext context(kTestVidPid);
    return GetDriverState(context);
}

// Installed needs every counted file and the sensor's INF with its PNF; anything between is partial.
TEST(PrefixDriverState, FilesAndTheSensorsInfWithPnfMakeTheDriverInstalled) {
    PrefixState prefix;
    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kOtherVidPid), true);
    prefix.PlaceStoreInf(L"oem9302.inf", UnrelatedInfText(), true);
    EXPECT_EQ(DriverState::NotInstalled, CurrentState());
    prefix.PlaceFiles();
    EXPECT_EQ(DriverState::PartlyInstalled, CurrentState());
    prefix.PlaceStoreInf(L"oem9303.inf", InfText(kTestVidPid), false);
    EXPECT_EQ(DriverState::PartlyInstalled, CurrentState());
    prefix.PlaceStoreInf(L"oem9303.inf", InfText(kTestVidPid), true);
    EXPECT_EQ(DriverState::Installed, CurrentState());
    DeleteFileW((prefix.WindowsDirectory() + L"\\system32\\drivers\\Q4400F05.bin").c_str());
    EXPECT_EQ(DriverState::PartlyInstalled, CurrentState());
}

TEST(PrefixRelease, RemovesEverythingListedAndNothingElse) {
    PrefixState prefix;
    prefix.AddDevice(kSensorInstanceId);
    prefix.AddDevice(kOtherInstanceId);
    prefix.PlaceFiles(true);
    const std::wstring sensorInf = prefix.PlaceStoreInf(L"oem9301.inf", InfText(kTestVidPid), true);
    const std::wstring secondInf = prefix.PlaceStoreInf(L"oem9302.inf", InfText(kTestVidPid), false);
    const std::wstring otherInf = prefix.PlaceStoreInf(L"oem9303.inf", InfText(kOtherVidPid), true);
    const std::wstring unrelatedInf = prefix.PlaceStoreInf(L"oem9304.inf", UnrelatedInfText(), true);
    for (const RegistryKeyName& key : kDriverRegistryKeys) prefix.AddRegistryKey(key.root, key.path);
    const std::wstring siblingClass = L"CLSID\\{7EBBB1AF-C455-4f97-B5E7-9D4E5B981002}";
    prefix.AddRegistryKey(HKEY_CLASSES_ROOT, siblingClass);
    prefix.SetMachineRunValue(kMachineAutoStartValue);
    prefix.SetMachineRunValue(L"TavroPenTest");

    DriverContext context(kTestVidPid);
    ReleaseDriver(context);

    EXPECT_FALSE(PrefixState::DeviceExists(kSensorInstanceId));
    EXPECT_TRUE(PrefixState::DeviceExists(kOtherInstanceId));
    for (const DriverFile& file : kDriverFiles)
        EXPECT_FALSE(FileExists(DriverFilePath(prefix.WindowsDirectory(), file))) << file.folder << L"\\" << file.name;
    // The sensor's INFs go with their PNFs; another device's and an unrelated one stay.
    const std::pair<std::wstring, bool> infs[] = {{sensorInf, false}, {PnfPathFor(sensorInf), false}, {secondInf, false},
        {otherInf, true}, {PnfPathFor(otherInf), true}, {unrelatedInf, true}, {PnfPathFor(unrelatedInf), true}};
    for (const auto& [path, kept] : infs) EXPECT_EQ(FileExists(path), kept) << path;
    for (const RegistryKeyName& key : kDriverRegistryKeys)
        EXPECT_FALSE(PrefixState::RegistryKeyExists(key.root, key.path)) << key.path;
    EXPECT_TRUE(PrefixState::RegistryKeyExists(HKEY_CLASSES_ROOT, siblingClass));
    EXPECT_TRUE(PrefixState::RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    EXPECT_FALSE(PrefixState::MachineRunValueExists(kMachineAutoStartValue));
    EXPECT_TRUE(PrefixState::MachineRunValueExists(L"TavroPenTest"));
}

TEST(PrefixRelease, RemovesOneDeviceNodeOnly) {
    PrefixState prefix;
    prefix.AddDevice(kSensorInstanceId);
    prefix.AddDevice(kOtherInstanceId, L"USB\\VID_7A11&PID_13D5&MI_01");
    DriverContext context(kTestVidPid);
    ReleaseDriver(context);
    EXPECT_NE(PrefixState::DeviceExists(kSensorInstanceId), PrefixState::DeviceExists(kOtherInstanceId));
}

}  // namespace
}  // namespace installtest

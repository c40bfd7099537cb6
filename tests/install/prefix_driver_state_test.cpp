// The installed state of the driver package over files and INFs placed in the prefix.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace installtest

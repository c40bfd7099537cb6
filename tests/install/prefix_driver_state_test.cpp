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

TEST(PrefixDriverState, NothingInstalledIsZero) {
    PrefixState prefix;
    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kOtherVidPid), true);
    EXPECT_EQ(DriverNotInstalled, CurrentState());
}

TEST(PrefixDriverState, AllFilesWithInfAndPnfIsTwo) {
    PrefixState prefix;
    prefix.PlaceAllCountedFiles();
    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kTestVidPid), true);
    EXPECT_EQ(DriverInstalled, CurrentState());
}

TEST(PrefixDriverState, WyvoTwainPairCompletesTheCount) {
    PrefixState prefix;
    for (const DriverFile& file : kDriverFiles) {
        if (file.role == DriverFileRole::Counted || file.role == DriverFileRole::TwainFallback) {
            prefix.PlaceFile(file);
        }
    }
    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kTestVidPid), true);
    EXPECT_EQ(DriverInstalled, CurrentState());
}

TEST(PrefixDriverState, FilesWithoutInfArePartial) {
    PrefixState prefix;
    prefix.PlaceAllCountedFiles();
    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kOtherVidPid), true);
    prefix.PlaceStoreInf(L"oem9302.inf", UnrelatedInfText(), true);
    EXPECT_EQ(DriverPartlyInstalled, CurrentState());
}

TEST(PrefixDriverState, InfWithoutPnfOrOneFileMissingArePartial) {
    PrefixState prefix;
    prefix.PlaceAllCountedFiles();
    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kTestVidPid), false);
    EXPECT_EQ(DriverPartlyInstalled, CurrentState());

    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kTestVidPid), true);
    DeleteFileW((prefix.WindowsDirectory() + L"\\system32\\drivers\\Q4400F05.bin").c_str());
    EXPECT_EQ(DriverPartlyInstalled, CurrentState());
}

TEST(PrefixDriverState, InfAloneIsPartial) {
    PrefixState prefix;
    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kTestVidPid), true);
    EXPECT_EQ(DriverPartlyInstalled, CurrentState());
}

}  // namespace
}  // namespace installtest

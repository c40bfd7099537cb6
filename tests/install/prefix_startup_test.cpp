// The start-up check followed over a prepared prefix, with the sensor's open result and the
// user's answer given instead of a capture graph and a message box.
#include <gtest/gtest.h>

#include <initguid.h>
#include <devguid.h>

#include <vector>

#include "install/driver_files.h"
#include "install/driver_operations.h"
#include "install/startup_decision.h"
#include "prefix_state.h"

namespace installtest {
namespace {

using Steps = std::vector<StartupStep>;

// Every step up to and including the one that ends the check.
Steps FollowStartup(DriverContext& context, SensorMatch match, bool answerYes) {
    Steps steps;
    StartupFacts facts;
    for (;;) {
        const StartupStep step = NextStartupStep(facts);
        steps.push_back(step);
        switch (step) {
        case StartupStep::CheckPresence: facts.presence = CheckPresence(context); break;
        case StartupStep::OpenSensor: facts.sensorMatch = match; break;
        case StartupStep::CheckDriver: facts.driverState = GetDriverState(context); break;
        case StartupStep::AskInstall:
        case StartupStep::AskReinstall: facts.installAccepted = answerYes; break;
        case StartupStep::Install: facts.installResult = InstallDriver(context, false); break;
        case StartupStep::ReleaseAndInstall: facts.installResult = InstallDriver(context, true); break;
        default: return steps;
        }
    }
}

void AddSensor(PrefixState& prefix) {
    prefix.AddDevice(kSensorInstanceId, GUID_DEVCLASS_IMAGE, L"USB\\VID_7A11&PID_13D5&MI_00");
}

// The presence check reads the prefix's device nodes: the receiver alone is no sensor. (Which
// ids match, and their case, is the PresenceScan tests' business.)
TEST(PrefixStartup, OnlyAPresentSensorNodeGetsTheSensorOpened) {
    PrefixState prefix;
    prefix.AddDevice(kReceiverInstanceId, GUID_DEVCLASS_HIDCLASS, L"HID\\VID_6624&PID_5488");
    DriverContext context(kTestVidPid);
    const Steps notFound{StartupStep::CheckPresence, StartupStep::ShowSensorNotFound};
    EXPECT_EQ(notFound, FollowStartup(context, SensorMatch::DefaultName, true));
    AddSensor(prefix);
    EXPECT_EQ((Steps{StartupStep::CheckPresence, StartupStep::OpenSensor, StartupStep::SensorReady}),
              FollowStartup(context, SensorMatch::Matched, true));
}

TEST(PrefixStartup, CompleteDriverUnderDefaultNameIsSystemErrorWithoutOffer) {
    PrefixState prefix;
    AddSensor(prefix);
    prefix.PlaceAllCountedFiles();
    prefix.PlaceStoreInf(L"oem9301.inf", InfText(kTestVidPid), true);
    DriverContext context(kTestVidPid);
    EXPECT_EQ((Steps{StartupStep::CheckPresence, StartupStep::OpenSensor, StartupStep::CheckDriver,
                     StartupStep::ShowSystemError}),
              FollowStartup(context, SensorMatch::DefaultName, true));
    EXPECT_TRUE(PrefixState::DeviceExists(kSensorInstanceId));
}

TEST(PrefixStartup, FilesWithoutInfAskToReinstallNoKeepsAllAndYesReleasesThenCopies) {
    PrefixState prefix;
    ProgramFolder program(true);
    AddSensor(prefix);
    prefix.PlaceAllCountedFiles();
    DriverContext context = program.Context();
    EXPECT_EQ(StartupStep::Quit, FollowStartup(context, SensorMatch::OtherName, false).back());
    EXPECT_TRUE(PrefixState::DeviceExists(kSensorInstanceId));
    EXPECT_EQ(DriverPartlyInstalled, GetDriverState(context));
    EXPECT_TRUE(prefix.StoreInfsWithText(ProgramFolder::PackageInfText()).empty());

    EXPECT_EQ((Steps{StartupStep::CheckPresence, StartupStep::OpenSensor, StartupStep::CheckDriver,
                     StartupStep::AskReinstall, StartupStep::ReleaseAndInstall,
                     StartupStep::ShowReplugDevice}),
              FollowStartup(context, SensorMatch::DefaultName, true));
    EXPECT_FALSE(PrefixState::DeviceExists(kSensorInstanceId));
    EXPECT_EQ(0, CountInstalledDriverFiles(prefix.WindowsDirectory()));
    EXPECT_EQ(1u, prefix.StoreInfsWithText(ProgramFolder::PackageInfText()).size());
}

TEST(PrefixStartup, MissingPackageInfEndsWithItsMessage) {
    PrefixState prefix;
    ProgramFolder program(false);
    AddSensor(prefix);
    DriverContext context = program.Context();
    EXPECT_EQ((Steps{StartupStep::CheckPresence, StartupStep::OpenSensor, StartupStep::CheckDriver,
                     StartupStep::AskInstall, StartupStep::Install, StartupStep::ShowSetupInfMissing}),
              FollowStartup(context, SensorMatch::DefaultName, true));
}

}  // namespace
}  // namespace installtest

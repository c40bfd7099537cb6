// The start-up check followed over a prepared prefix, with the sensor's open result and the
// user's answer given instead of a capture graph and a message box.
#include <gtest/gtest.h>

#include <initguid.h>
#include <devguid.h>

#include <string>
#include <vector>

#include "install/driver_files.h"
#include "install/driver_operations.h"
#include "controller/open_sensor_at_startup.h"
#include "install/startup_decision.h"
#include "desktop_test_support.h"
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

TEST(PrefixStartup, FilesWithoutInfAskToReinstallNoKeepsAllAndYesReleasesThenCopies) {
    PrefixState prefix;
    ProgramFolder program(true);
    AddSensor(prefix);
    prefix.PlaceAllCountedFiles();
    DriverContext context = program.Context();
    EXPECT_EQ(StartupStep::Quit, FollowStartup(context, SensorMatch::OtherName, false).back());
    EXPECT_TRUE(PrefixState::DeviceExists(kSensorInstanceId));
    EXPECT_EQ(DriverState::PartlyInstalled, GetDriverState(context));
    EXPECT_TRUE(prefix.StoreInfsWithText(ProgramFolder::PackageInfText()).empty());

    EXPECT_EQ((Steps{StartupStep::CheckPresence, StartupStep::OpenSensor, StartupStep::CheckDriver,
                     StartupStep::AskReinstall, StartupStep::ReleaseAndInstall,
                     StartupStep::ShowReplugDevice}),
              FollowStartup(context, SensorMatch::DefaultName, true));
    EXPECT_FALSE(PrefixState::DeviceExists(kSensorInstanceId));
    EXPECT_EQ(0, CountInstalledDriverFiles(prefix.WindowsDirectory()));
    EXPECT_EQ(1u, prefix.StoreInfsWithText(ProgramFolder::PackageInfText()).size());
}

// The numbers of the boxes the check shows, in order, each question answered Yes.
std::vector<std::wstring> BoxesShown(DriverContext& context) {
    std::vector<std::wstring> numbers;
    {
        testsupport::BoxDismisser boxes([&numbers](HWND box) {
            const std::wstring text = testsupport::WindowTexts(box);
            const size_t hash = text.find(L'#');
            const std::wstring number = hash == std::wstring::npos ? text : text.substr(hash, 6);
            // A box still closing is seen again.
            if (numbers.empty() || numbers.back() != number) numbers.push_back(number);
            PostMessageW(box, WM_COMMAND, IDYES, 0);
        });
        EXPECT_FALSE(RunStartupCheck(context, {[] { return SensorMatch::DefaultName; }, [] { return std::wstring(); }}));
    }
    return numbers;
}

TEST(PrefixStartup, EachEndOfTheCheckShowsItsMessage) {
    enum class Program { NoFolder, WithoutPackage, WithPackage };
    const struct {
        bool sensor;
        Program program;
        bool files;
        std::vector<std::wstring> boxes;
    } cases[] = {
        {false, Program::NoFolder, false, {L"#10011"}},
        {true, Program::WithoutPackage, false, {L"#10013", L"#10017"}},
        // A program without a folder cannot copy its package.
        {true, Program::NoFolder, false, {L"#10013", L"#10016"}},
        {true, Program::WithPackage, true, {L"#10014", L"#10018"}},
    };
    for (const auto& c : cases) {
        PrefixState prefix;
        ProgramFolder program(c.program == Program::WithPackage);
        if (c.sensor) AddSensor(prefix);
        if (c.files) prefix.PlaceAllCountedFiles();
        DriverContext context = program.Context();
        if (c.program == Program::NoFolder) context.programPath = L"C:\\tavro.exe";
        EXPECT_EQ(BoxesShown(context), c.boxes) << c.boxes.back();
    }
}

}  // namespace
}  // namespace installtest

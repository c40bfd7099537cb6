// The start-up check run over a prepared prefix, with the sensor's open result given instead of
// a capture graph, and its boxes answered. (Its decisions are StartupDecision's business.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/driver_files.h"
#include "install/driver_operations.h"
#include "controller/open_sensor_at_startup.h"
#include "desktop_test_support.h"
#include "prefix_state.h"

namespace installtest {
namespace {

using Boxes = std::vector<std::wstring>;

// The numbers of the boxes the check shows, in order, each question given `answer`.
Boxes BoxesShown(DriverContext& context, int answer = IDYES) {
    Boxes numbers;
    {
        testsupport::BoxDismisser boxes([&numbers, answer](HWND box) {
            const std::wstring text = testsupport::WindowTexts(box);
            const size_t hash = text.find(L'#');
            const std::wstring number = hash == std::wstring::npos ? text : text.substr(hash, 6);
            // A box still closing is seen again.
            if (numbers.empty() || numbers.back() != number) numbers.push_back(number);
            PostMessageW(box, WM_COMMAND, answer, 0);
        });
        EXPECT_FALSE(RunStartupCheck(context, {[] { return SensorMatch::DefaultName; }, [] { return std::wstring(); }}));
    }
    return numbers;
}

TEST(PrefixStartup, FilesWithoutInfAskToReinstallNoKeepsAllAndYesReleasesThenCopies) {
    PrefixState prefix;
    ProgramFolder program(true);
    prefix.AddDevice(kSensorInstanceId);
    prefix.PlaceFiles();
    DriverContext context = program.Context();
    EXPECT_EQ(BoxesShown(context, IDNO), (Boxes{L"#10014"}));
    EXPECT_TRUE(PrefixState::DeviceExists(kSensorInstanceId));
    EXPECT_EQ(DriverState::PartlyInstalled, GetDriverState(context));
    EXPECT_TRUE(prefix.StoreInfsWithText(ProgramFolder::PackageInfText()).empty());

    EXPECT_EQ(BoxesShown(context), (Boxes{L"#10014", L"#10018"}));
    EXPECT_FALSE(PrefixState::DeviceExists(kSensorInstanceId));
    EXPECT_EQ(0, CountInstalledDriverFiles(prefix.WindowsDirectory()));
    EXPECT_EQ(1u, prefix.StoreInfsWithText(ProgramFolder::PackageInfText()).size());
}

TEST(PrefixStartup, EachEndOfTheCheckShowsItsMessage) {
    // Whether the sensor is there and the program has a folder (never with the package in it).
    const struct { bool sensor, folder; Boxes boxes; } cases[] = {
        {false, false, {L"#10011"}},
        {true, true, {L"#10013", L"#10017"}},
        {true, false, {L"#10013", L"#10016"}},  // without a folder the package cannot be copied
    };
    for (const auto& c : cases) {
        PrefixState prefix;
        ProgramFolder program(false);
        if (c.sensor) prefix.AddDevice(kSensorInstanceId);
        DriverContext context = program.Context();
        if (!c.folder) context.programPath = L"C:\\tavro.exe";
        EXPECT_EQ(BoxesShown(context), c.boxes) << c.boxes.back();
    }
}

}  // namespace
}  // namespace installtest

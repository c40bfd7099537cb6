// The decision parts of the driver check and of the start-up, without touching the machine.
#include <gtest/gtest.h>

#include "install/driver_package.h"
#include "install/driver_state_rules.h"
#include "install/presence_scan.h"
#include "install/startup_decision.h"

namespace {

constexpr wchar_t kVidPid[] = L"VID_05E1&PID_0500";

TEST(PresenceScan, SensorAloneIsThreeAReceiverWithItFourAndOnlyExactIdsMatch) {
    // Matching is exact and case-sensitive: near misses and a lower-case VID/PID find no sensor.
    // (An empty one never comes: the parameter file's reader refuses empty texts.) The scan may
    // stop once both are seen.
    struct Case { const wchar_t* vidPid; const wchar_t* first; const wchar_t* second; Presence expected; };
    const Case cases[] = {
        {kVidPid, L"PCI\\VEN_8086&DEV_1234\\3&11583659&0&10", L"USB\\VID_05E1&PID_0500&MI_00\\6&1A2B3C&0&0000",
         Presence::SensorOnly},
        {kVidPid, L"HID\\VID_9999&PID_0001&MI_01\\7&2&0&0000", L"USB\\VID_05E1&PID_0500\\5&0",
         Presence::SensorAndReceiver},
        {kVidPid, L"HID\\VID_6624&PID_5489\\1", L"USB\\VID_05E1&PID_0501\\1", Presence::Nothing},
        {L"vid_05e1&pid_0500", L"HID\\VID_6624&PID_5488\\1", L"USB\\VID_05E1&PID_0500\\1", Presence::ReceiverOnly},
    };
    for (const Case& c : cases) {
        PresenceScan scan(c.vidPid);
        EXPECT_FALSE(scan.Observe(c.first)) << c.first;
        EXPECT_EQ(scan.Observe(c.second), c.expected == Presence::SensorAndReceiver) << c.second;
        EXPECT_EQ(c.expected, scan.Result()) << c.second;
    }
}

TEST(DriverStateRules, FullInstallationIsTwentyFourFilesWithEitherTwainPairAndStatesCombine) {
    EXPECT_EQ(24, CountInstalledFiles([](const DriverFile&) { return true; }));
    EXPECT_EQ(0, CountInstalledFiles([](const DriverFile& f) { return f.role == DriverFileRole::RemovedOnly; }));
    // The Wyvo pair counts only without the Q4400 pair.
    EXPECT_EQ(24, CountInstalledFiles([](const DriverFile& f) { return f.role != DriverFileRole::TwainPrimary; }));
    // One file of the Q4400 pair is enough to shut the Wyvo pair out.
    EXPECT_EQ(23, CountInstalledFiles([](const DriverFile& f) {
                  return f.role != DriverFileRole::TwainPrimary || std::wcscmp(f.name, L"Q4400Twn.ds") == 0;
              }));
    EXPECT_EQ(22, CountInstalledFiles([](const DriverFile& f) {
                  return f.role == DriverFileRole::Counted;
              }));
    // The states a count of files gives, combined with the INF's, are PrefixDriverState's; an INF
    // left without files is not.
    EXPECT_EQ(DriverState::PartlyInstalled, CombineDriverState(DriverState::NotInstalled, DriverState::Installed));
    EXPECT_EQ(DriverState::PartlyInstalled, CombineDriverState(DriverState::Installed, DriverState::PartlyInstalled));
}

TEST(DriverPackage, PackageAndPnfPathsAndModelLinesWithTheirCase) {
    // The package beside the program's folder, and none for a program in a drive's root, are
    // PrefixStartup's.
    EXPECT_EQ(L"", PackageInfPath(L"tavro.exe"));
    EXPECT_EQ(L"", PackageInfPath(L""));
    // The PNF beside an INF replaces its extension.
    EXPECT_EQ(L"C:\\windows\\inf\\oem12.PNF", PnfPathFor(L"C:\\windows\\inf\\oem12.inf"));
    EXPECT_EQ(L"C:\\a.b\\oem.PNF", PnfPathFor(L"C:\\a.b\\oem"));
    // A model line needs the model text and the VID/PID, with their case.
    EXPECT_TRUE(InfLineBelongsToSensor(L"Q4400Cam.Device,USB\\VID_05E1&PID_0500", kVidPid));
    EXPECT_FALSE(InfLineBelongsToSensor(L"Q4400Cam.Device,USB\\vid_05e1&pid_0500", kVidPid));
    EXPECT_FALSE(InfLineBelongsToSensor(L"q4400cam.device,USB\\VID_05E1&PID_0500", kVidPid));
    EXPECT_FALSE(InfLineBelongsToSensor(L"Q4400Cam.Device,USB\\VID_05E1&PID_0501", kVidPid));
}

StartupFacts Facts(std::optional<Presence> presence, std::optional<SensorMatch> match = {},
                   std::optional<DriverState> driver = {}, std::optional<bool> accepted = {},
                   std::optional<InstallResult> result = {}) {
    return {presence, match, driver, accepted, result};
}

TEST(StartupDecision, EachStateOfKnowledgeLeadsToItsStep) {
    const auto D = SensorMatch::DefaultName;
    const auto O = SensorMatch::OtherName;
    const auto Both = Presence::SensorAndReceiver;
    struct Case { StartupFacts facts; StartupStep expected; };
    const Case cases[] = {
        {Facts({}), StartupStep::CheckPresence},
        {Facts(Presence::Unavailable), StartupStep::ShowSystemError},
        {Facts(Presence::Nothing), StartupStep::ShowSensorNotFound},
        {Facts(Presence::ReceiverOnly), StartupStep::ShowSensorNotFound},
        {Facts(Presence::SensorOnly), StartupStep::OpenSensor},
        {Facts(Both), StartupStep::OpenSensor},
        {Facts(Presence::SensorOnly, SensorMatch::Matched), StartupStep::SensorReady},
        {Facts(Presence::SensorOnly, SensorMatch::NotFound), StartupStep::ShowSensorNotFound},
        {Facts(Presence::SensorOnly, SensorMatch::Failed), StartupStep::ShowSensorFailure},
        {Facts(Presence::SensorOnly, O), StartupStep::CheckDriver},
        {Facts(Presence::SensorOnly, D), StartupStep::CheckDriver},
        // A complete driver under another name offers no installation.
        {Facts(Both, D, DriverState::Installed), StartupStep::ShowSystemError},
        {Facts(Both, O, DriverState::NotInstalled), StartupStep::AskInstall},
        {Facts(Both, O, DriverState::NotInstalled, true), StartupStep::Install},
        {Facts(Both, O, DriverState::NotInstalled, false), StartupStep::Quit},
        {Facts(Both, D, DriverState::PartlyInstalled), StartupStep::AskReinstall},
        {Facts(Both, D, DriverState::PartlyInstalled, true), StartupStep::ReleaseAndInstall},
        {Facts(Both, D, DriverState::PartlyInstalled, false), StartupStep::Quit},
        {Facts(Both, D, DriverState::NotInstalled, true, InstallResult::InfCopied), StartupStep::ShowReplugDevice},
        {Facts(Both, D, DriverState::NotInstalled, true, InstallResult::CopyFailed), StartupStep::ShowSetupCopyFailed},
        {Facts(Both, D, DriverState::NotInstalled, true, InstallResult::InfMissing), StartupStep::ShowSetupInfMissing},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].expected, NextStartupStep(cases[i].facts)) << "case " << i;
}

}  // namespace

// Which fact, question and message follow from what is known during the start-up check.
#include <gtest/gtest.h>

#include "install/startup_decision.h"

namespace {

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

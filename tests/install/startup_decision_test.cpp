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
    const auto Both = PresenceSensorAndReceiver;
    struct Case { StartupFacts facts; StartupStep expected; };
    const Case cases[] = {
        {Facts({}), StartupStep::CheckPresence},
        {Facts(PresenceUnavailable), StartupStep::ShowSystemError},
        {Facts(PresenceNothing), StartupStep::ShowSensorNotFound},
        {Facts(PresenceReceiverOnly), StartupStep::ShowSensorNotFound},
        {Facts(PresenceSensorOnly), StartupStep::OpenSensor},
        {Facts(Both), StartupStep::OpenSensor},
        {Facts(PresenceSensorOnly, SensorMatch::Matched), StartupStep::SensorReady},
        {Facts(PresenceSensorOnly, SensorMatch::NotFound), StartupStep::ShowSensorNotFound},
        {Facts(PresenceSensorOnly, SensorMatch::Failed), StartupStep::ShowSensorFailure},
        {Facts(PresenceSensorOnly, O), StartupStep::CheckDriver},
        {Facts(PresenceSensorOnly, D), StartupStep::CheckDriver},
        // A complete driver under another name offers no installation.
        {Facts(Both, D, DriverInstalled), StartupStep::ShowSystemError},
        {Facts(Both, O, DriverInstalled), StartupStep::ShowSystemError},
        {Facts(Both, O, DriverNotInstalled), StartupStep::AskInstall},
        {Facts(Both, O, DriverNotInstalled, true), StartupStep::Install},
        {Facts(Both, O, DriverNotInstalled, false), StartupStep::Quit},
        {Facts(Both, D, DriverPartlyInstalled), StartupStep::AskReinstall},
        {Facts(Both, D, DriverPartlyInstalled, true), StartupStep::ReleaseAndInstall},
        {Facts(Both, D, DriverPartlyInstalled, false), StartupStep::Quit},
        {Facts(Both, D, DriverNotInstalled, true, InstallInfCopied), StartupStep::ShowReplugDevice},
        {Facts(Both, D, DriverNotInstalled, true, InstallCopyFailed), StartupStep::ShowSetupCopyFailed},
        {Facts(Both, D, DriverNotInstalled, true, InstallInfMissing), StartupStep::ShowSetupInfMissing},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        EXPECT_EQ(cases[i].expected, NextStartupStep(cases[i].facts)) << "case " << i;
    }
}

}  // namespace

// Which fact, question and message follow from what is known during the start-up check.
#include <gtest/gtest.h>

#include "install/startup_decision.h"

namespace {

StartupFacts Opened(Presence presence, SensorMatch match) {
    StartupFacts facts;
    facts.presence = presence;
    facts.sensorMatch = match;
    return facts;
}

StartupFacts WithDriver(SensorMatch match, DriverState state) {
    StartupFacts facts = Opened(PresenceSensorAndReceiver, match);
    facts.driverState = state;
    return facts;
}

TEST(StartupDecision, PresenceDecidesWhetherTheSensorIsOpened) {
    EXPECT_EQ(StartupStep::CheckPresence, NextStartupStep({}));
    StartupFacts facts;
    facts.presence = PresenceUnavailable;
    EXPECT_EQ(StartupStep::ShowSystemError, NextStartupStep(facts));
    facts.presence = PresenceNothing;
    EXPECT_EQ(StartupStep::ShowSensorNotFound, NextStartupStep(facts));
    facts.presence = PresenceReceiverOnly;
    EXPECT_EQ(StartupStep::ShowSensorNotFound, NextStartupStep(facts));
    facts.presence = PresenceSensorOnly;
    EXPECT_EQ(StartupStep::OpenSensor, NextStartupStep(facts));
    facts.presence = PresenceSensorAndReceiver;
    EXPECT_EQ(StartupStep::OpenSensor, NextStartupStep(facts));
}

TEST(StartupDecision, OpenResultDecidesWhetherTheDriverIsChecked) {
    EXPECT_EQ(StartupStep::SensorReady, NextStartupStep(Opened(PresenceSensorOnly, SensorMatch::Matched)));
    EXPECT_EQ(StartupStep::ShowSensorNotFound, NextStartupStep(Opened(PresenceSensorOnly, SensorMatch::NotFound)));
    EXPECT_EQ(StartupStep::ShowSensorFailure, NextStartupStep(Opened(PresenceSensorOnly, SensorMatch::Failed)));
    EXPECT_EQ(StartupStep::CheckDriver, NextStartupStep(Opened(PresenceSensorOnly, SensorMatch::OtherName)));
    EXPECT_EQ(StartupStep::CheckDriver, NextStartupStep(Opened(PresenceSensorOnly, SensorMatch::DefaultName)));
}

TEST(StartupDecision, CompleteDriverUnderTheDefaultNameOffersNoInstallation) {
    EXPECT_EQ(StartupStep::ShowSystemError, NextStartupStep(WithDriver(SensorMatch::DefaultName, DriverInstalled)));
    EXPECT_EQ(StartupStep::ShowSystemError, NextStartupStep(WithDriver(SensorMatch::OtherName, DriverInstalled)));
}

TEST(StartupDecision, NothingInstalledAsksToInstallWithoutRelease) {
    StartupFacts facts = WithDriver(SensorMatch::OtherName, DriverNotInstalled);
    EXPECT_EQ(StartupStep::AskInstall, NextStartupStep(facts));
    facts.installAccepted = true;
    EXPECT_EQ(StartupStep::Install, NextStartupStep(facts));
    facts.installAccepted = false;
    EXPECT_EQ(StartupStep::Quit, NextStartupStep(facts));
}

TEST(StartupDecision, PartialInstallationAsksToReleaseAndReinstall) {
    StartupFacts facts = WithDriver(SensorMatch::DefaultName, DriverPartlyInstalled);
    EXPECT_EQ(StartupStep::AskReinstall, NextStartupStep(facts));
    facts.installAccepted = true;
    EXPECT_EQ(StartupStep::ReleaseAndInstall, NextStartupStep(facts));
    facts.installAccepted = false;
    EXPECT_EQ(StartupStep::Quit, NextStartupStep(facts));
}

TEST(StartupDecision, EveryInstallationResultEndsWithItsMessage) {
    StartupFacts facts = WithDriver(SensorMatch::DefaultName, DriverNotInstalled);
    facts.installAccepted = true;
    facts.installResult = InstallInfCopied;
    EXPECT_EQ(StartupStep::ShowReplugDevice, NextStartupStep(facts));
    facts.installResult = InstallCopyFailed;
    EXPECT_EQ(StartupStep::ShowSetupCopyFailed, NextStartupStep(facts));
    facts.installResult = InstallInfMissing;
    EXPECT_EQ(StartupStep::ShowSetupInfMissing, NextStartupStep(facts));
}

}  // namespace

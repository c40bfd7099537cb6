#include "install/startup_decision.h"

namespace {

StartupStep AfterPresence(Presence presence) {
    switch (presence) {
    case Presence::Unavailable: return StartupStep::ShowSystemError;
    case Presence::SensorOnly:
    case Presence::SensorAndReceiver: return StartupStep::OpenSensor;
    default: return StartupStep::ShowSensorNotFound;
    }
}

StartupStep AfterOpen(SensorMatch match) {
    switch (match) {
    case SensorMatch::Matched: return StartupStep::SensorReady;
    case SensorMatch::NotFound: return StartupStep::ShowSensorNotFound;
    case SensorMatch::OtherName:
    case SensorMatch::DefaultName: return StartupStep::CheckDriver;
    default: return StartupStep::ShowSensorFailure;
    }
}

StartupStep OfferFor(DriverState state) {
    switch (state) {
    // Complete, yet the sensor does not carry its driver's name: nothing to offer.
    case DriverState::Installed: return StartupStep::ShowSystemError;
    case DriverState::NotInstalled: return StartupStep::AskInstall;
    default: return StartupStep::AskReinstall;
    }
}

StartupStep AfterInstall(InstallResult result) {
    switch (result) {
    case InstallResult::InfCopied: return StartupStep::ShowReplugDevice;
    case InstallResult::InfMissing: return StartupStep::ShowSetupInfMissing;
    default: return StartupStep::ShowSetupCopyFailed;
    }
}

}  // namespace

StartupStep NextStartupStep(const StartupFacts& facts) {
    if (!facts.presence) return StartupStep::CheckPresence;
    const StartupStep afterPresence = AfterPresence(*facts.presence);
    if (afterPresence != StartupStep::OpenSensor) return afterPresence;

    if (!facts.sensorMatch) return StartupStep::OpenSensor;
    const StartupStep afterOpen = AfterOpen(*facts.sensorMatch);
    if (afterOpen != StartupStep::CheckDriver) return afterOpen;

    if (!facts.driverState) return StartupStep::CheckDriver;
    const StartupStep offer = OfferFor(*facts.driverState);
    if (offer == StartupStep::ShowSystemError) return offer;

    if (!facts.installAccepted) return offer;
    if (!*facts.installAccepted) return StartupStep::Quit;
    if (!facts.installResult) {
        return offer == StartupStep::AskReinstall ? StartupStep::ReleaseAndInstall : StartupStep::Install;
    }
    return AfterInstall(*facts.installResult);
}

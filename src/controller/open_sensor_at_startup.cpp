#include "controller/open_sensor_at_startup.h"

#include "capture/sensor_device.h"
#include "install/driver_operations.h"
#include "install/startup_decision.h"
#include "ui/messages.h"

namespace {
constexpr size_t kSensorMessageCapacity = 1024;
}

bool OpenSensorAtStartup(SensorDevice& sensor, const SensorIdentity& identity) {
    DriverContext context(identity.vidPid);
    return RunStartupCheck(context, {[&sensor, &identity] { return sensor.Open(identity); },
                                     [&sensor] {
                                         wchar_t text[kSensorMessageCapacity];
                                         sensor.LastMessage(text, kSensorMessageCapacity);
                                         return std::wstring(text);
                                     }});
}

bool RunStartupCheck(DriverContext& context, const StartupSensor& sensor) {
    StartupFacts facts;
    for (;;) {
        switch (NextStartupStep(facts)) {
        case StartupStep::CheckPresence: facts.presence = CheckPresence(context); break;
        case StartupStep::OpenSensor: facts.sensorMatch = sensor.open(); break;
        case StartupStep::CheckDriver: facts.driverState = GetDriverState(context); break;
        case StartupStep::AskInstall: facts.installAccepted = AskInstallDriver(); break;
        case StartupStep::AskReinstall: facts.installAccepted = AskReinstallDriver(); break;
        case StartupStep::Install: facts.installResult = InstallDriver(context, false); break;
        case StartupStep::ReleaseAndInstall: facts.installResult = InstallDriver(context, true); break;
        case StartupStep::SensorReady: return true;
        case StartupStep::Quit: return false;
        case StartupStep::ShowSystemError: return ShowSystemError(GetLastError());
        case StartupStep::ShowSensorFailure: return ShowSystemErrorText(sensor.failureText().c_str());
        case StartupStep::ShowSensorNotFound: ShowSensorNotFound(); return false;
        case StartupStep::ShowSetupCopyFailed: ShowSetupCopyFailed(); return false;
        case StartupStep::ShowSetupInfMissing: ShowSetupInfMissing(); return false;
        case StartupStep::ShowReplugDevice: ShowReplugDevice(); return false;
        }
    }
}

#pragma once
// The start-up check of the sensor: presence of the sensor and the pen's RF receiver, opening the
// sensor, and, when it shows up without its driver's name, the offer to install the driver.
#include <functional>
#include <string>

#include "capture/sensor_identity.h"
#include "install/driver_context.h"

class SensorDevice;

// True when the sensor is open. False after the message that explains why the program ends
// (or after the user declined the installation).
bool OpenSensorAtStartup(SensorDevice& sensor, const SensorIdentity& identity);

// The same check over a given driver context, with the sensor's opening and the text of its
// failure given by the caller.
struct StartupSensor {
    std::function<SensorMatch()> open;
    std::function<std::wstring()> failureText;
};
bool RunStartupCheck(DriverContext& context, const StartupSensor& sensor);

#pragma once
// The start-up check of the sensor: presence of the sensor and the pen's RF receiver, opening the
// sensor, and, when it shows up without its driver's name, the offer to install the driver.
#include "capture/sensor_identity.h"

class SensorDevice;

// True when the sensor is open. False after the message that explains why the program ends
// (or after the user declined the installation).
bool OpenSensorAtStartup(SensorDevice& sensor, const SensorIdentity& identity);

#pragma once
// Finds the sensor among the video input devices and tells how it is installed.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include "capture/graph_step.h"
#include "capture/sensor_identity.h"

// How a device whose moniker name holds the sensor's VID/PID is installed, from its friendly name.
SensorMatch ClassifyFriendlyName(const wchar_t* friendlyName, const SensorIdentity& identity);

// The first device whose moniker name holds the VID/PID decides; later devices are not looked at.
// On Matched the device is bound to `filter`. `step` carries the result and, on Failed or an empty
// category, the failure text.
SensorMatch FindSensor(const SensorIdentity& identity, Microsoft::WRL::ComPtr<IBaseFilter>& filter, GraphStep& step);

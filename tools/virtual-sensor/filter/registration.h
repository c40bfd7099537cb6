#pragma once
// Registers the sensor as an in-process COM server and as a video input device. The device's
// friendly name and instance name come from VSENSOR_NAME and VSENSOR_INSTANCE when set.
#include <windows.h>

HRESULT RegisterSensor(HMODULE module);
HRESULT UnregisterSensor();

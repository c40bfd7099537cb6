#pragma once
// Finds the sensor's kernel-streaming capture interface with SetupAPI and opens it for property
// requests.
#include "app/unique_handle.h"

// Whether a device instance id is the sensor's and not its second composite function ("MI_01"),
// which does not answer property requests.
bool IsPropertyDeviceInstance(const wchar_t* instanceId, const wchar_t* vidPid);
// The first capture interface of a matching device that opens; empty when none does.
UniqueFile OpenSensorCaptureInterface(const wchar_t* vidPid);

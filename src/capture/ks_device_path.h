#pragma once
// Finds the sensor's kernel-streaming capture interface with SetupAPI and opens it for property
// requests.
#include "base/unique_handle.h"

#include <setupapi.h>

// Whether a device instance id is the sensor's and not its second composite function ("MI_01"),
// which does not answer property requests.
bool IsPropertyDeviceInstance(const wchar_t* instanceId, const wchar_t* vidPid);
// The first capture interface of a matching device that opens; empty when none does.
UniqueFile OpenSensorCaptureInterface(const wchar_t* vidPid);
// The same search in a given SetupAPI list of capture devices.
UniqueFile OpenSensorCaptureInterface(HDEVINFO devices, const wchar_t* vidPid);
// The first of one device's capture interfaces that opens; empty when none does or the detail of
// one cannot be read (the device is then given up).
UniqueFile OpenDeviceCaptureInterface(HDEVINFO devices, SP_DEVINFO_DATA& device);

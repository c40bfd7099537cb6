#pragma once
// Walks the devices attached to the machine, of every class.
#include <windows.h>
#include <setupapi.h>

#include <functional>

// Calls visit for each present device in the system's order until visit returns true. False when
// the device list is not available (the last error says why).
bool VisitPresentDevices(const std::function<bool(HDEVINFO, SP_DEVINFO_DATA&)>& visit);

#pragma once
// Owning holders for the SetupAPI device lists and INF handles.
#include "base/unique_handle.h"

#include <setupapi.h>

struct DeviceListCloser { void operator()(HDEVINFO h) const { SetupDiDestroyDeviceInfoList(h); } };
struct InfCloser { void operator()(HINF h) const { SetupCloseInfFile(h); } };

using UniqueDeviceList = UniqueInvalidValueHandle<DeviceListCloser>;
using UniqueInf = UniqueInvalidValueHandle<InfCloser>;

#pragma once
// Kernel-streaming property requests on the sensor's capture interface. Requests go straight to
// DeviceIoControl with an event-backed OVERLAPPED, as the platform's synchronous device control
// helper does (that helper is not usable everywhere the program runs).
#include <cstdint>

#include "base/unique_handle.h"
#include "capture/control_result.h"
#include "capture/graph_step.h"
#include "capture/ks_requests.h"

class KsControl {
public:
    // The completion event every request waits on. A failure carries the system's error.
    GraphStep CreateDeviceControl();
    // Opens the sensor's capture interface. A failure carries the system's error.
    GraphStep OpenDevice(const wchar_t* vidPid);
    void Close();

    // Failed without a device or an event, or when the driver refused.
    ControlResult GetCameraControl(uint32_t id, KsPropertyValue& answer);
    ControlResult SetCameraControl(uint32_t id, const KsPropertyValue& value);
    ControlResult GetVendor(uint32_t id, KsPropertyValue& answer);
    ControlResult SetVendor(uint32_t id, const KsPropertyValue& value);

private:
    template <typename Request>
    ControlResult Ask(Request request, KsPropertyValue& answer);
    template <typename Request>
    ControlResult Tell(Request request);
    // Sends the request and receives the answer in the same buffer.
    bool Transact(void* request, DWORD size);

    UniqueFile device_;
    UniqueEvent completion_;
};

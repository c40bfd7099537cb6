#pragma once
// Kernel-streaming property requests on the sensor's capture interface. Requests go straight to
// DeviceIoControl with an event-backed OVERLAPPED, as the platform's synchronous device control
// helper does (that helper is not usable everywhere the program runs).
#include <cstdint>

#include "base/unique_handle.h"
#include "capture/ks_requests.h"

class KsControl {
public:
    // The completion event every request waits on; false when it cannot be made.
    bool CreateDeviceControl();
    // Opens the sensor's capture interface; false when no interface opens.
    bool OpenDevice(const wchar_t* vidPid);
    void Close();

    // 1 success, 0 failure (no device, no event, or the driver refused).
    int GetCameraControl(uint32_t id, KsPropertyValue& answer);
    int SetCameraControl(uint32_t id, const KsPropertyValue& value);
    int GetVendor(uint32_t id, KsPropertyValue& answer);
    int SetVendor(uint32_t id, const KsPropertyValue& value);

private:
    template <typename Request>
    int Ask(Request request, KsPropertyValue& answer);
    template <typename Request>
    int Tell(Request request);
    // Sends the request and receives the answer in the same buffer.
    bool Transact(void* request, DWORD size);

    UniqueFile device_;
    UniqueEvent completion_;
};

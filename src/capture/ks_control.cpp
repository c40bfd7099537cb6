#include "capture/ks_control.h"

#include <windows.h>
#include <winioctl.h>
#include <ks.h>

#include "capture/ks_device_path.h"

static_assert(IOCTL_KS_PROPERTY == 0x2F0003, "kernel-streaming property control code");

bool KsControl::CreateDeviceControl() {
    completion_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return static_cast<bool>(completion_);
}

bool KsControl::OpenDevice(const wchar_t* vidPid) {
    device_ = OpenSensorCaptureInterface(vidPid);
    return static_cast<bool>(device_);
}

void KsControl::Close() {
    device_.Reset();
    completion_.Reset();
}

int KsControl::GetCameraControl(uint32_t id, KsPropertyValue& answer) {
    return Ask(MakeCameraControlGet(id), answer);
}

int KsControl::SetCameraControl(uint32_t id, const KsPropertyValue& value) {
    return Tell(MakeCameraControlSet(id, value));
}

int KsControl::GetVendor(uint32_t id, KsPropertyValue& answer) { return Ask(MakeVendorGet(id), answer); }

int KsControl::SetVendor(uint32_t id, const KsPropertyValue& value) { return Tell(MakeVendorSet(id, value)); }

template <typename Request>
int KsControl::Ask(Request request, KsPropertyValue& answer) {
    if (!Transact(&request, sizeof(request))) return 0;
    answer = ValueOf(request);
    return 1;
}

template <typename Request>
int KsControl::Tell(Request request) {
    return Transact(&request, sizeof(request)) ? 1 : 0;
}

bool KsControl::Transact(void* request, DWORD size) {
    if (!device_ || !completion_) return false;
    OVERLAPPED overlapped{};
    overlapped.hEvent = completion_.Get();
    ResetEvent(overlapped.hEvent);
    DWORD returned = 0;
    if (DeviceIoControl(device_.Get(), IOCTL_KS_PROPERTY, request, size, request, size, &returned, &overlapped))
        return true;
    if (GetLastError() != ERROR_IO_PENDING) return false;
    return GetOverlappedResult(device_.Get(), &overlapped, &returned, TRUE) != FALSE;
}

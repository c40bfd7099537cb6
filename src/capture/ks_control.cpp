#include "capture/ks_control.h"

#include <windows.h>
#include <winioctl.h>
#include <ks.h>

#include "capture/ks_device_path.h"

static_assert(IOCTL_KS_PROPERTY == 0x2F0003, "kernel-streaming property control code");

GraphStep KsControl::CreateDeviceControl() {
    completion_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (completion_) return GraphStep::Success();
    return GraphStep::Failure(HRESULT_FROM_WIN32(GetLastError()), L"InitKsProperty: Create Device Control Error!");
}

GraphStep KsControl::OpenDevice(const wchar_t* vidPid) {
    device_ = OpenSensorCaptureInterface(vidPid);
    if (device_) return GraphStep::Success();
    return GraphStep::Failure(HRESULT_FROM_WIN32(GetLastError()), L"InitKsProperty: Create Device Handle Error!");
}

void KsControl::Close() {
    device_.Reset();
    completion_.Reset();
}

ControlResult KsControl::GetCameraControl(uint32_t id, KsPropertyValue& answer) {
    return Ask(MakeCameraControlGet(id), answer);
}

ControlResult KsControl::SetCameraControl(uint32_t id, const KsPropertyValue& value) {
    return Tell(MakeCameraControlSet(id, value));
}

ControlResult KsControl::GetVendor(uint32_t id, KsPropertyValue& answer) { return Ask(MakeVendorGet(id), answer); }

ControlResult KsControl::SetVendor(uint32_t id, const KsPropertyValue& value) {
    return Tell(MakeVendorSet(id, value));
}

template <typename Request>
ControlResult KsControl::Ask(Request request, KsPropertyValue& answer) {
    if (!Transact(&request, sizeof(request))) return ControlResult::Failed;
    answer = ValueOf(request);
    return ControlResult::Done;
}

template <typename Request>
ControlResult KsControl::Tell(Request request) {
    return Transact(&request, sizeof(request)) ? ControlResult::Done : ControlResult::Failed;
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

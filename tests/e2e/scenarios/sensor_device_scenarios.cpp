// How the virtual sensor presents itself: device enumerator, SetupAPI, kernel-streaming
// interface and controls. (Its capture pin's formats are what the program's own capture
// chooses from in sensor_stream and program_yuy2_sensor_cannot_preview.)
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "base/unique_handle.h"
#include "capture/video_input_devices.h"
#include "harness/device_nodes.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

struct VideoDevice {
    ComPtr<IMoniker> moniker;
    std::wstring displayName, friendlyName;
};

// The first video input device whose display name names the sensor.
VideoDevice FindSensor(int* deviceCount) {
    VideoDevice found;
    VideoInputDevices devices;
    ComPtr<IMoniker> moniker;
    *deviceCount = 0;
    for (devices.Open(); devices.Next(moniker); ++*deviceCount) {
        wchar_t name[kDeviceNameCapacity] = {};
        if (found.moniker || FAILED(ReadDisplayName(moniker.Get(), name)) ||
            !Contains(Lower(name), L"vid_05e1&pid_0500"))
            continue;
        found.moniker = moniker;
        found.displayName = name;
        ComPtr<IPropertyBag> bag;
        if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag))) &&
            SUCCEEDED(ReadFriendlyName(bag.Get(), name)))
            found.friendlyName = name;
    }
    return found;
}

// The listing, the device nodes (the sensor's and the pen receiver's) and the capture interface
// the program's property requests go to.
void CheckListing(const VideoDevice& sensor, int deviceCount, Report& report) {
    report.Figure("devices", deviceCount, 0);
    if (report.Check(sensor.moniker != nullptr, "sensor_listed")) {
        report.Figure("friendly", sensor.friendlyName);
        report.Figure("display", sensor.displayName);
        report.Check(sensor.friendlyName == L"USB2.0 VGA WebCam", "friendly_name");
        report.Check(Lower(sensor.displayName) ==
                         L"@device:sw:{860bb310-5d01-11d0-bd3b-00a0c911ce86}\\usb#vid_05e1&pid_0500&mi_00#vsensor0",
                     "display_name");
    }
    const std::vector<std::wstring> ids = PresentInstanceIds();
    const auto present = [&ids](const wchar_t* part) {
        return std::any_of(ids.begin(), ids.end(), [part](const std::wstring& id) { return Contains(id, part); });
    };
    report.Check(present(L"VID_05E1&PID_0500"), "sensor_node_present");
    report.Check(present(L"HID\\VID_6624&PID_5488"), "rf_node_present");
    const std::vector<CaptureInterface> interfaces = CaptureInterfaces();
    report.Figure("interfaces", static_cast<double>(interfaces.size()), 0);
    const auto capture = std::find_if(interfaces.begin(), interfaces.end(), [](const CaptureInterface& found) {
        return Contains(found.instanceId, L"VID_05E1&PID_0500") && !Contains(found.instanceId, L"MI_01");
    });
    if (!report.Check(capture != interfaces.end(), "capture_interface_listed")) return;
    report.Figure("path", capture->path);
    UniqueFile device(CreateFileW(capture->path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    report.Figure("open_error", device ? 0.0 : static_cast<double>(GetLastError()), 0);
    report.Check(static_cast<bool>(device), "create_file");
}

}  // namespace

E2E_SCENARIO(sensor_device_listing, "--rf", 40) {
    int count = 0;
    const VideoDevice sensor = FindSensor(&count);
    CheckListing(sensor, count, report);
    ComPtr<IBaseFilter> filter;
    if (!sensor.moniker ||
        !report.Check(SUCCEEDED(sensor.moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter))), "bind"))
        return;
    ComPtr<IAMVideoProcAmp> procAmp;
    ComPtr<IAMCameraControl> camera;
    int procAmpRanges = 0, cameraRanges = 0;
    long minimum, maximum, step, standardValue, flags;
    if (SUCCEEDED(filter.As(&procAmp)))
        for (long id = 0; id <= 9; ++id)
            procAmpRanges += SUCCEEDED(procAmp->GetRange(id, &minimum, &maximum, &step, &standardValue, &flags));
    if (SUCCEEDED(filter.As(&camera))) {
        for (long id = 0; id <= 6; ++id)
            cameraRanges += SUCCEEDED(camera->GetRange(id, &minimum, &maximum, &step, &standardValue, &flags));
        if (SUCCEEDED(camera->GetRange(CameraControl_Exposure, &minimum, &maximum, &step, &standardValue, &flags)))
            report.Figure("exposure_range", std::to_string(minimum) + ".." + std::to_string(maximum));
        report.Check(camera->Set(CameraControl_Exposure, maximum + 1, 0) == E_INVALIDARG, "exposure_clamp");
    }
    report.Figure("procamp_ranges", procAmpRanges, 0);
    report.Figure("camera_ranges", cameraRanges, 0);
    report.Check(procAmpRanges == 10 && cameraRanges == 7, "control_ranges");
    procAmp.Reset();
    camera.Reset();
    filter.Reset();
    report.Figure("live_objects", SensorLiveObjects(), 0);
    report.Check(SensorLiveObjects() == 0, "live_objects_left");
}

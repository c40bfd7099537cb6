// How the virtual sensor presents itself: device enumerator, SetupAPI, pin and controls.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "base/unique_handle.h"
#include "harness/device_nodes.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"
#include "harness/sensor_graph.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

const VideoDevice* FindSensor(const std::vector<VideoDevice>& devices) {
    for (const VideoDevice& device : devices)
        if (Contains(Lower(device.displayName), L"vid_05e1&pid_0500")) return &device;
    return nullptr;
}

// "640x480rgb24,320x240rgb24": the capture pin's capabilities in order.
std::string DescribeCaps(IAMStreamConfig* config, Report& report) {
    int count = 0, size = 0;
    config->GetNumberOfCapabilities(&count, &size);
    report.Check(size == 128, "caps_record_size");
    std::string text;
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* type = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps;
        if (config->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&caps)) != S_OK) continue;
        text += (text.empty() ? "" : ",") + std::to_string(caps.InputSize.cx) + "x" + std::to_string(caps.InputSize.cy) +
                (type->subtype == MEDIASUBTYPE_RGB24 ? "rgb24" : type->subtype == MEDIASUBTYPE_YUY2 ? "yuy2" : "other");
        if (type->pbFormat) CoTaskMemFree(type->pbFormat);
        CoTaskMemFree(type);
    }
    return text;
}

// Binds a fresh sensor filter and describes its capture pin's capabilities.
std::string BindAndDescribe(Report& report) {
    const std::vector<VideoDevice> devices = ListVideoDevices();
    const VideoDevice* sensor = FindSensor(devices);
    if (!report.Check(sensor != nullptr, "sensor_listed")) return "";
    ComPtr<IBaseFilter> filter;
    if (!report.Check(SUCCEEDED(sensor->moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter))), "bind"))
        return "";
    ComPtr<IPin> pin;
    if (!report.Check(SUCCEEDED(filter->FindPin(L"Capture", &pin)), "pin")) return "";
    ComPtr<IKsPropertySet> properties;
    GUID category = GUID_NULL;
    DWORD returned = 0;
    report.Check(SUCCEEDED(pin.As(&properties)) &&
                     SUCCEEDED(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category,
                                               sizeof(category), &returned)) &&
                     category == PIN_CATEGORY_CAPTURE,
                 "pin_category");
    ComPtr<IAMStreamConfig> config;
    return report.Check(SUCCEEDED(pin.As(&config)), "stream_config") ? DescribeCaps(config.Get(), report) : "";
}

}  // namespace

E2E_SCENARIO(sensor_device_listing, "--rf", 30) {
    const std::vector<VideoDevice> devices = ListVideoDevices();
    report.Figure("devices", static_cast<double>(devices.size()), 0);
    const VideoDevice* sensor = FindSensor(devices);
    if (report.Check(sensor != nullptr, "sensor_listed")) {
        report.Figure("friendly", Narrow(sensor->friendlyName));
        report.Figure("display", Narrow(sensor->displayName));
        report.Check(sensor->friendlyName == L"USB2.0 VGA WebCam", "friendly_name");
        report.Check(Lower(sensor->displayName) ==
                         L"@device:sw:{860bb310-5d01-11d0-bd3b-00a0c911ce86}\\usb#vid_05e1&pid_0500&mi_00#vsensor0",
                     "display_name");
    }
    const std::vector<std::wstring> ids = PresentInstanceIds();
    const bool sensorNode = std::any_of(ids.begin(), ids.end(), [](const std::wstring& id) {
        return Contains(id, L"VID_05E1&PID_0500");
    });
    const bool receiverNode = std::any_of(ids.begin(), ids.end(), [](const std::wstring& id) {
        return Contains(id, L"HID\\VID_6624&PID_5488");
    });
    report.Figure("sensor_node", sensorNode ? "yes" : "no");
    report.Figure("rf_node", receiverNode ? "yes" : "no");
    report.Check(sensorNode, "sensor_node_present");
    report.Check(receiverNode, "rf_node_present");
}

E2E_SCENARIO(sensor_ks_interface, "", 30) {
    const std::vector<CaptureInterface> interfaces = CaptureInterfaces();
    report.Figure("interfaces", static_cast<double>(interfaces.size()), 0);
    const auto sensor = std::find_if(interfaces.begin(), interfaces.end(), [](const CaptureInterface& found) {
        return Contains(found.instanceId, L"VID_05E1&PID_0500") && !Contains(found.instanceId, L"MI_01");
    });
    if (!report.Check(sensor != interfaces.end(), "capture_interface_listed")) return;
    report.Figure("path", Narrow(sensor->path));
    UniqueFile device(CreateFileW(sensor->path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    report.Figure("open_error", device ? 0.0 : static_cast<double>(GetLastError()), 0);
    report.Check(static_cast<bool>(device), "create_file");
}

E2E_SCENARIO(sensor_interfaces, "", 30) {
    const std::string standard = BindAndDescribe(report);
    report.Figure("formats", standard);
    report.Check(standard == "640x480rgb24,320x240rgb24", "standard_formats");
    SensorControl control;
    control.Set("formats", "yuy2");
    const std::string yuy2 = BindAndDescribe(report);
    report.Figure("yuy2_formats", yuy2);
    report.Check(yuy2.find("320x240rgb24") == std::string::npos && yuy2.find("320x240yuy2") != std::string::npos,
                 "yuy2_set");
    control.Set("formats", "rgb24");

    const std::vector<VideoDevice> devices = ListVideoDevices();
    const VideoDevice* sensor = FindSensor(devices);
    ComPtr<IBaseFilter> filter;
    if (!sensor || FAILED(sensor->moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter)))) return;
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

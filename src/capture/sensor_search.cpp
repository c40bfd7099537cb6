#include "capture/sensor_search.h"

#include "capture/text_match.h"
#include "capture/video_input_devices.h"

using Microsoft::WRL::ComPtr;

namespace {

// NotFound when the device is not the sensor; the failing step otherwise sets `step`.
SensorMatch ClassifyDevice(IMoniker* moniker, IPropertyBag* properties, const SensorIdentity& identity,
                           GraphStep& step) {
    wchar_t displayName[kDeviceNameCapacity] = {};
    const HRESULT named = ReadDisplayName(moniker, displayName);
    if (FAILED(named)) {
        step = GraphStep::Failure(named, L"Couldn't read the device's display name.");
        return SensorMatch::Failed;
    }
    if (!ContainsText(displayName, identity.vidPid)) return SensorMatch::NotFound;
    wchar_t friendlyName[kDeviceNameCapacity] = {};
    const HRESULT read = ReadFriendlyName(properties, friendlyName);
    if (FAILED(read)) {
        step = GraphStep::Failure(read, L"Couldn't read the device's friendly name.");
        return SensorMatch::Failed;
    }
    return ClassifyFriendlyName(friendlyName, identity);
}

}  // namespace

SensorMatch ClassifyFriendlyName(const wchar_t* friendlyName, const SensorIdentity& identity) {
    if (EqualsIgnoringCase(friendlyName, identity.userName)) return SensorMatch::Matched;
    if (EqualsIgnoringCase(friendlyName, identity.defaultName)) return SensorMatch::DefaultName;
    return SensorMatch::OtherName;
}

SensorMatch FindSensor(const SensorIdentity& identity, ComPtr<IBaseFilter>& filter, GraphStep& step) {
    VideoInputDevices devices;
    step = devices.Open();
    if (!step.Ok()) return SensorMatch::Failed;
    if (devices.Empty()) {
        step = GraphStep::Failure(E_FAIL, L"No video capture device was detected");
        return SensorMatch::NotFound;
    }
    ComPtr<IMoniker> moniker;
    while (devices.Next(moniker)) {
        ComPtr<IPropertyBag> properties;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&properties)))) continue;
        const SensorMatch match = ClassifyDevice(moniker.Get(), properties.Get(), identity, step);
        if (match == SensorMatch::NotFound) continue;
        if (match != SensorMatch::Matched) return match;
        const HRESULT bound = moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter));
        if (FAILED(bound)) {
            step = GraphStep::Failure(bound, L"Couldn't bind moniker to filter object.");
            return SensorMatch::Failed;
        }
        step = GraphStep::Success(bound);
        return SensorMatch::Matched;
    }
    return SensorMatch::NotFound;
}

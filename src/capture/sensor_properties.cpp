#include "capture/sensor_properties.h"

#include <dshow.h>

#include <algorithm>
#include <iterator>

#include "capture/ks_requests.h"

namespace {

// VideoProcAmp writes are always manual.
constexpr long kVideoProcAmpFlags = VideoProcAmp_Flags_Manual;
constexpr long kCameraControlFlags = 0;

// IAMVideoProcAmp and IAMCameraControl have the same calls; these run over either.
template <typename Controls, size_t Count>
void ReadControlRanges(IUnknown* filter, PropertyRecord (&records)[Count]) {
    Microsoft::WRL::ComPtr<Controls> controls;
    if (!filter || FAILED(filter->QueryInterface(__uuidof(Controls), &controls))) return;
    for (size_t id = 0; id < Count; ++id) {
        PropertyRecord& record = records[id];
        record.id = static_cast<int32_t>(id);
        record.valid = 0;
        long minimum = 0, maximum = 0, delta = 0, defaultValue = 0, capabilities = 0;
        if (FAILED(controls->GetRange(record.id, &minimum, &maximum, &delta, &defaultValue, &capabilities))) continue;
        record.minimum = minimum;
        record.maximum = maximum;
        record.delta = delta;
        record.defaultValue = defaultValue;
        long value = 0, flags = 0;
        controls->Get(record.id, &value, &flags);
        record.value = value;
        record.valid = 1;
    }
}

template <typename Controls, size_t Count, typename TargetOf>
void ResetControls(IUnknown* filter, PropertyRecord (&records)[Count], long flags, TargetOf target) {
    Microsoft::WRL::ComPtr<Controls> controls;
    if (!filter || FAILED(filter->QueryInterface(__uuidof(Controls), &controls))) return;
    for (PropertyRecord& record : records) {
        if (!record.valid) continue;
        controls->Set(record.id, target(record), flags);
        long value = 0, readFlags = 0;
        controls->Get(record.id, &value, &readFlags);
        record.value = value;
    }
}

template <typename Controls, size_t Count>
ControlResult SetControl(IUnknown* filter, PropertyRecord (&records)[Count], int id, int value, long flags) {
    if (id < 0 || id >= static_cast<int>(Count)) return ControlResult::Failed;
    PropertyRecord& record = records[id];
    if (!ClampIntoRecord(record, value)) return ControlResult::Failed;
    Microsoft::WRL::ComPtr<Controls> controls;
    if (!filter || FAILED(filter->QueryInterface(__uuidof(Controls), &controls))) return ControlResult::Failed;
    controls->Set(record.id, record.value, flags);
    long readBack = 0, readFlags = 0;
    return controls->Get(record.id, &readBack, &readFlags) == S_OK ? ControlResult::Done : ControlResult::Failed;
}

}  // namespace

SensorProperties::SensorProperties(KsControl& ks) : ks_(ks) {}

void SensorProperties::Attach(IUnknown* captureFilter) { filter_ = captureFilter; }

void SensorProperties::ReadRanges() {
    std::fill(std::begin(videoProcAmp_), std::end(videoProcAmp_), PropertyRecord{});
    std::fill(std::begin(cameraControl_), std::end(cameraControl_), PropertyRecord{});
    ReadControlRanges<IAMVideoProcAmp>(filter_.Get(), videoProcAmp_);
    ReadControlRanges<IAMCameraControl>(filter_.Get(), cameraControl_);
}

void SensorProperties::ResetVideoProcAmp() {
    ResetControls<IAMVideoProcAmp>(filter_.Get(), videoProcAmp_, kVideoProcAmpFlags,
                                   [](const PropertyRecord& record) { return record.minimum; });
}

void SensorProperties::ResetCameraControl() {
    ResetControls<IAMCameraControl>(filter_.Get(), cameraControl_, kCameraControlFlags,
                                    [](const PropertyRecord& record) { return record.defaultValue; });
}

ControlResult SensorProperties::SetVideoProcAmp(int id, int value) {
    return SetControl<IAMVideoProcAmp>(filter_.Get(), videoProcAmp_, id, value, kVideoProcAmpFlags);
}

ControlResult SensorProperties::SetCameraControl(int id, int value) {
    return SetControl<IAMCameraControl>(filter_.Get(), cameraControl_, id, value, kCameraControlFlags);
}

ControlResult SensorProperties::SetExposure(int value) {
    if (SetCameraControl(kExposure, value) == ControlResult::Done) return ControlResult::Done;
    KsPropertyValue current;
    if (ks_.GetCameraControl(kKsCameraControlExposure, current) == ControlResult::Failed) return ControlResult::Failed;
    if (ks_.SetCameraControl(kKsCameraControlExposure, {value, kKsFlagsManual, current.capabilities}) ==
        ControlResult::Failed)
        return ControlResult::Failed;
    cameraControl_[kExposure].value = value;
    return ControlResult::Done;
}

ControlResult SensorProperties::SetExposureAuto(bool on) {
    KsPropertyValue current;
    if (ks_.GetCameraControl(kKsCameraControlExposure, current) == ControlResult::Failed) return ControlResult::Failed;
    return ks_.SetCameraControl(kKsCameraControlExposure,
                                {current.value, on ? kKsFlagsAuto : kKsFlagsManual, current.capabilities});
}

ControlResult SensorProperties::SetVendorMode(int value) {
    KsPropertyValue current;
    if (ks_.GetVendor(kVendorModeWord, current) == ControlResult::Failed) return ControlResult::Failed;
    return ks_.SetVendor(kVendorModeWord, {value, kVendorWriteFlags, current.capabilities});
}

ControlResult SensorProperties::SetPowerLineFrequency(int hertz) {
    const int32_t code = PowerLineFrequencyCode(hertz);
    KsPropertyValue current;
    if (ks_.GetVendor(kVendorPowerLineFrequency, current) == ControlResult::Failed) return ControlResult::Failed;
    return ks_.SetVendor(kVendorPowerLineFrequency, {code, kVendorWriteFlags, current.capabilities});
}

ControlResult SensorProperties::ApplySensorInit(const SensorInitParameters& init) {
    SetExposureAuto(false);
    SetVendorMode(1);
    SetPowerLineFrequency(init.frequency);
    SetVideoProcAmp(VideoProcAmp_ColorEnable, init.colorEnabled);
    SetVideoProcAmp(VideoProcAmp_WhiteBalance, init.whiteBalance);
    SetVideoProcAmp(VideoProcAmp_BacklightCompensation, init.backlightComp);
    return SetVideoProcAmp(VideoProcAmp_Gain, init.gain);
}

ControlResult SensorProperties::ApplyImaging(const ImagingParameters& imaging) {
    SetVideoProcAmp(VideoProcAmp_Brightness, imaging.brightness);
    SetVideoProcAmp(VideoProcAmp_Gamma, imaging.gamma);
    SetVideoProcAmp(VideoProcAmp_Contrast, imaging.contrast);
    SetVideoProcAmp(VideoProcAmp_Hue, imaging.hue);
    SetVideoProcAmp(VideoProcAmp_Saturation, imaging.saturation);
    SetVideoProcAmp(VideoProcAmp_Sharpness, imaging.sharpness);
    return SetExposure(imaging.exposureTime);
}

ImagingParameters SensorProperties::MinimumImaging() const {
    ImagingParameters minimum{};
    minimum.brightness = videoProcAmp_[VideoProcAmp_Brightness].minimum;
    minimum.contrast = videoProcAmp_[VideoProcAmp_Contrast].minimum;
    minimum.hue = videoProcAmp_[VideoProcAmp_Hue].minimum;
    minimum.saturation = videoProcAmp_[VideoProcAmp_Saturation].minimum;
    minimum.sharpness = videoProcAmp_[VideoProcAmp_Sharpness].minimum;
    minimum.gamma = videoProcAmp_[VideoProcAmp_Gamma].minimum;
    minimum.exposureTime = cameraControl_[kExposure].minimum;
    return minimum;
}

bool SensorProperties::IsExposureGain() const { return cameraControl_[kExposure].valid != 0; }

int SensorProperties::GainMinimum() const {
    return IsExposureGain() ? cameraControl_[kExposure].minimum : videoProcAmp_[kBrightness].minimum;
}

int SensorProperties::GainValue() const {
    return IsExposureGain() ? cameraControl_[kExposure].value : videoProcAmp_[kBrightness].value;
}

ControlResult SensorProperties::SetGain(int value) {
    return IsExposureGain() ? SetExposure(value) : SetVideoProcAmp(kBrightness, value);
}

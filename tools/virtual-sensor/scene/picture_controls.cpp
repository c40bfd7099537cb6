#include "picture_controls.h"

namespace {

// Ranges of the sensor; the picture model gives each its meaning.
constexpr ControlLimits kProcAmpRanges[10] = {
    {0, 255, 1, 50, 2},      // Brightness: offset, 50 is neutral
    {0, 200, 1, 100, 2},     // Contrast: percent
    {-180, 180, 1, 0, 2},    // Hue
    {0, 255, 1, 128, 2},     // Saturation: 128 is neutral
    {0, 100, 1, 30, 2},      // Sharpness
    {1, 500, 1, 100, 2},     // Gamma: 100 is linear
    {0, 1, 1, 1, 2},         // ColorEnable
    {0, 6500, 10, 4600, 3},  // WhiteBalance
    {0, 2, 1, 0, 2},         // BacklightCompensation
    {0, 255, 1, 0, 2},       // Gain: 64 doubles the signal
};
constexpr ControlLimits kCameraRanges[7] = {
    {-180, 180, 1, 0, 2},  // Pan
    {-180, 180, 1, 0, 2},  // Tilt
    {-180, 180, 1, 0, 2},  // Roll
    {100, 400, 1, 100, 2}, // Zoom
    {-8, -1, 1, -5, 3},    // Exposure: log2 seconds
    {0, 100, 1, 50, 2},    // Iris
    {0, 255, 1, 0, 3},     // Focus
};

}  // namespace

PictureControls::PictureControls(bool exposureRange) : exposureRange_(exposureRange) {
    for (int i = 0; i < 10; ++i) {
        values_.procAmp[i] = kProcAmpRanges[i].defaultValue;
        procAmpFlags_[i] = 2;
    }
    for (int i = 0; i < 7; ++i) {
        values_.camera[i] = kCameraRanges[i].defaultValue;
        cameraFlags_[i] = 2;
    }
}

const ControlLimits* PictureControls::Find(ControlKind kind, long id) const {
    if (kind == ControlKind::ProcAmp) return (id >= 0 && id < 10) ? &kProcAmpRanges[id] : nullptr;
    if (id < 0 || id >= 7 || (id == kExposure && !exposureRange_)) return nullptr;
    return &kCameraRanges[id];
}

bool PictureControls::Range(ControlKind kind, long id, ControlLimits* range) const {
    const ControlLimits* found = Find(kind, id);
    if (!found) return false;
    *range = *found;
    return true;
}

bool PictureControls::Set(ControlKind kind, long id, long value, long flags) {
    const ControlLimits* range = Find(kind, id);
    if (!range || value < range->minimum || value > range->maximum) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    if (kind == ControlKind::ProcAmp) {
        values_.procAmp[id] = value;
        procAmpFlags_[id] = flags;
    } else {
        values_.camera[id] = value;
        cameraFlags_[id] = flags;
    }
    return true;
}

bool PictureControls::Get(ControlKind kind, long id, long* value, long* flags) const {
    if (!Find(kind, id)) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    *value = kind == ControlKind::ProcAmp ? values_.procAmp[id] : values_.camera[id];
    *flags = kind == ControlKind::ProcAmp ? procAmpFlags_[id] : cameraFlags_[id];
    return true;
}

PictureValues PictureControls::Values() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return values_;
}

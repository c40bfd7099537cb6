#pragma once
// The sensor's adjustable controls with their ranges: ten picture controls (VideoProcAmp ids
// 0-9) and seven camera controls (CameraControl ids 0-6). Safe to use from any thread.
#include <mutex>

struct ControlLimits {
    long minimum, maximum, step, defaultValue;
    long capsFlags;  // 1 auto, 2 manual
};

struct PictureValues {
    long procAmp[10];
    long camera[7];
};

enum class ControlKind { ProcAmp, Camera };

class PictureControls {
public:
    explicit PictureControls(bool exposureRange);

    // False for an id the sensor does not offer.
    bool Range(ControlKind kind, long id, ControlLimits* range) const;
    // False for an unknown id or a value outside the range; nothing changes then.
    bool Set(ControlKind kind, long id, long value, long flags);
    bool Get(ControlKind kind, long id, long* value, long* flags) const;
    PictureValues Values() const;

private:
    const ControlLimits* Find(ControlKind kind, long id) const;

    bool exposureRange_;
    mutable std::mutex mutex_;
    PictureValues values_;
    long procAmpFlags_[10];
    long cameraFlags_[7];
};

// Control ids used by the picture model.
enum ProcAmpId { kBrightness = 0, kContrast = 1, kSaturation = 3, kGamma = 5, kColorEnable = 6, kGain = 9 };
enum CameraId { kExposure = 4 };

#pragma once
// All writes to the sensor's picture and camera controls. The capture filter's control
// interfaces are used through records that hold each control's range; exposure automatics and the
// driver's vendor controls go through kernel-streaming requests.
#include <windows.h>
#include <unknwn.h>
#include <wrl/client.h>

#include "capture/control_result.h"
#include "capture/ks_control.h"
#include "capture/property_record.h"
#include "settings/core_parameter_record.h"

class SensorProperties {
public:
    static constexpr int kVideoProcAmpCount = 10;  // Brightness .. Gain
    static constexpr int kCameraControlCount = 7;  // Pan .. Focus
    static constexpr int kBrightness = 0;
    static constexpr int kExposure = 4;

    explicit SensorProperties(KsControl& ks);

    // The capture filter whose control interfaces are used; null detaches.
    void Attach(IUnknown* captureFilter);

    // Zeroes all records and reads every control's range and value.
    void ReadRanges();
    // Picture controls to their minimum, camera controls to their default (manual).
    void ResetVideoProcAmp();
    void ResetCameraControl();

    // Clamp into the record, write, read back: Done when the read-back succeeded.
    ControlResult SetVideoProcAmp(int id, int value);
    ControlResult SetCameraControl(int id, int value);
    // Through the filter; when that writes nothing, through a kernel-streaming request, unclamped.
    ControlResult SetExposure(int value);
    ControlResult SetExposureAuto(bool on);
    ControlResult SetVendorMode(int value);
    ControlResult SetPowerLineFrequency(int hertz);

    // Each sequence runs to its end whatever a step answers; the last step's result is returned.
    ControlResult ApplySensorInit(const SensorInitParameters& init);
    ControlResult ApplyImaging(const ImagingParameters& imaging);
    // Minima of brightness .. gamma and of exposure (0 where there is no range); the other fields 0.
    ImagingParameters MinimumImaging() const;

    // The gain level moves exposure when the sensor reports an exposure range, else brightness.
    bool IsExposureGain() const;
    int GainMinimum() const;
    int GainValue() const;
    ControlResult SetGain(int value);

    const PropertyRecord& VideoProcAmp(int id) const { return videoProcAmp_[id]; }
    const PropertyRecord& CameraControl(int id) const { return cameraControl_[id]; }

private:
    Microsoft::WRL::ComPtr<IUnknown> filter_;
    KsControl& ks_;
    PropertyRecord videoProcAmp_[kVideoProcAmpCount] = {};
    PropertyRecord cameraControl_[kCameraControlCount] = {};
};

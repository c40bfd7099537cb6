// Auto alignment step 3: the board is looked for tile by tile while the sensor's brightness
// (or exposure, when exposure is what moves the picture) is swept, so that the references and
// the board are taken at a setting where the board shows.
#include "controller/controller.h"

namespace {

// Enough corners at the current setting to stop sweeping.
constexpr int kSweepEnoughCorners = 31;
// Frames a low count may be retried before it is taken as the setting's count.
constexpr int kSweepRetries = 5;

}  // namespace

const PropertyRecord& Controller::SweptProperty() const {
    const SensorProperties& properties = sensor_.Properties();
    return properties.IsExposureGain() ? properties.CameraControl(SensorProperties::kExposure)
                                       : properties.VideoProcAmp(SensorProperties::kBrightness);
}

void Controller::SetSweptProperty(int value) {
    sensor_.Properties().SetGain(value);
    StartSettleWait();
}

StepResult Controller::AlignBrightnessStep() {
    AutoAlignmentState& state = autoAlignment_;
    const int found =
        DetectTileAdaptive(AlignmentImages(), pattern_.Columns(), pattern_.Rows(), state.corners);
    state.previewPercent = state.sweep.ShownPercent();
    CapturePreview(&state.corners);
    if (found >= kSweepEnoughCorners) {
        modes_.autoAlignmentStep = 4;
        return StepResult::KeepGoing;
    }

    const PropertyRecord& swept = SweptProperty();
    if (!state.sweepStarted) {
        state.sweepStarted = true;
        // A sensor without a range for the property has nothing to sweep.
        if (!swept.valid) {
            modes_.autoAlignmentStep = 4;
            return StepResult::KeepGoing;
        }
        state.sweep.Configure(coreParameters_.tuneAlignBrightness, swept.minimum, swept.maximum);
        SetSweptProperty(state.sweep.DeviceValue());
        return StepResult::KeepGoing;
    }
    if (found < state.minCorners && state.retryCount < kSweepRetries) {
        ++state.retryCount;
        return StepResult::KeepGoing;
    }
    state.retryCount = 0;
    if (found > state.bestCornerCount) {
        state.bestCornerCount = found;
        state.bestBrightness = swept.value;
        if (found > 0) state.sweepHadCorners = true;
    }
    if (state.sweep.Advance()) {
        SetSweptProperty(state.sweep.DeviceValue());
        return StepResult::KeepGoing;
    }

    if (!state.sweepHadCorners) {
        const ImagingParameters& preset = coreParameters_.alignment[AlignmentGainRow()];
        state.bestBrightness = sensor_.Properties().IsExposureGain() ? preset.exposureTime
                                                                     : preset.brightness;
    }
    if (state.bestBrightness != swept.value) SetSweptProperty(state.bestBrightness);
    modes_.autoAlignmentStep = 4;
    return StepResult::KeepGoing;
}

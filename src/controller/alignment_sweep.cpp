// Auto alignment step 3: the board is looked for tile by tile while the sensor's brightness
// (or exposure, when exposure is what moves the picture) is swept, so that the references and
// the board are taken at a setting where the board shows.
#include "controller/controller.h"

namespace {

// Enough corners at the current setting to stop sweeping.
constexpr int kSweepEnoughCorners = 31;

}  // namespace

const PropertyRecord& Controller::SweptProperty() const {
    const SensorProperties& properties = sensor_.device.Properties();
    return properties.IsExposureGain() ? properties.CameraControl(SensorProperties::kExposure)
                                       : properties.VideoProcAmp(SensorProperties::kBrightness);
}

void Controller::SetSweptProperty(int value) {
    sensor_.device.Properties().SetGain(value);
    StartSettleWait();
}

StepResult Controller::AlignBrightnessStep() {
    AutoAlignmentState& state = autoAlignment_;
    const int found =
        DetectTileAdaptive(AlignmentImages(), model_.pattern.Columns(), model_.pattern.Rows(), state.corners);
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
        state.sweep.Configure(records_.coreParameters.tuneAlignBrightness, swept.minimum, swept.maximum);
        SetSweptProperty(state.sweep.DeviceValue());
        return StepResult::KeepGoing;
    }
    if (state.sweepJudge.Take(found, swept.value) == SweepJudge::Move::LookAgain) {
        return StepResult::KeepGoing;
    }
    if (state.sweep.Advance()) {
        SetSweptProperty(state.sweep.DeviceValue());
        return StepResult::KeepGoing;
    }

    int best = state.sweepJudge.BestValue();
    if (!state.sweepJudge.SawCorners()) {
        const ImagingParameters& preset = records_.coreParameters.alignment[AlignmentGainRow()];
        best = sensor_.device.Properties().IsExposureGain() ? preset.exposureTime : preset.brightness;
    }
    if (best != swept.value) SetSweptProperty(best);
    modes_.autoAlignmentStep = 4;
    return StepResult::KeepGoing;
}

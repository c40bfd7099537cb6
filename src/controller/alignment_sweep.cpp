// Auto alignment step 3: the board is looked for tile by tile while the sensor's brightness
// (or exposure, when exposure is what moves the picture) is swept, so that the references and
// the board are taken at a setting where the board shows.
#include "controller/auto_alignment_run.h"

#include "imaging/plane_operations.h"

namespace {

// Enough corners at the current setting to stop sweeping, seen with at least this many levels
// between the board's light and dark squares.
constexpr int kSweepEnoughCorners = 31;
constexpr int kSweepLeastContrast = 40;

}  // namespace

const PropertyRecord& AutoAlignmentRun::SweptProperty() const {
    return sensor_.IsExposureGain() ? sensor_.CameraControl(SensorProperties::kExposure)
                                    : sensor_.VideoProcAmp(SensorProperties::kBrightness);
}

StepResult AutoAlignmentRun::BrightnessStep() {
    const int found =
        DetectTileAdaptive(Images(), pattern_.Columns(), pattern_.Rows(), state_.corners);
    const bool clearBoard = TileCutContrast(Images()) >= kSweepLeastContrast;
    state_.previewPercent = state_.sweep.ShownPercent();
    CapturePreview(&state_.corners);
    if (found >= kSweepEnoughCorners && clearBoard) {
        step_ = 4;
        return StepResult::KeepGoing;
    }

    const PropertyRecord& swept = SweptProperty();
    if (!state_.sweepStarted) {
        state_.sweepStarted = true;
        // A sensor without a range for the property has nothing to sweep.
        if (!swept.valid) {
            step_ = 4;
            return StepResult::KeepGoing;
        }
        state_.sweep.Configure(parameters_.tuneAlignBrightness, swept.minimum, swept.maximum);
        services_.SettleOnGain(state_.sweep.DeviceValue());
        // The black reference was taken at the setting the sweep now leaves: subtracted from a
        // frame of another exposure it hides the board (a reference clipped white hides it all).
        // The tiles' own thresholds stand in for it until step 5 takes both references again.
        FillPlane(images_.snapshots[1], 0);
        return StepResult::KeepGoing;
    }
    if (state_.sweepJudge.Take(found, swept.value) == SweepJudge::Move::LookAgain) {
        return StepResult::KeepGoing;
    }
    if (state_.sweep.Advance()) {
        services_.SettleOnGain(state_.sweep.DeviceValue());
        return StepResult::KeepGoing;
    }

    int best = state_.sweepJudge.BestValue();
    if (!state_.sweepJudge.SawCorners()) {
        const ImagingParameters& preset = services_.AlignmentRow();
        best = sensor_.IsExposureGain() ? preset.exposureTime : preset.brightness;
    }
    if (best != swept.value) services_.SettleOnGain(best);
    step_ = 4;
    return StepResult::KeepGoing;
}

// Manual alignment's steps up to the dot input: the preview, the picture controls for the pen,
// the threshold learnt from the empty screen, and the trigger that moves them on.
#include "controller/manual_alignment_run.h"

#include <algorithm>

#include "imaging/plane_operations.h"
#include "tracking/gain_evaluation.h"
#include "tracking/threshold_building.h"

namespace {

// The frame shrunk on every side by a tenth of its width, as auto alignment starts with.
PixelRect InnerDetectionArea(const PixelRect& frame) {
    const int inset = frame.width / 10;
    return {frame.x + inset, frame.y + inset, std::max(frame.width - 2 * inset, 0),
            std::max(frame.height - 2 * inset, 0)};
}

}  // namespace

void ManualAlignmentRun::Reset() {
    dots_.Clear();
    step_ = kManualPreview;
    spot_.Reset();
    previousSpot_.Reset();
    watch_.Reset();
    hotSpotCheckFrames_ = 0;
    justEntered_ = false;
    question_ = 0;
    finder_.SetSize(images_.Width(), images_.Height());
    // No preview until this run's first frame.
    images_.ReleaseSnapshots();
    images_.detectionArea = InnerDetectionArea(images_.FullRect());
    mapping_.SelectOffsetPairByPointCount(static_cast<int>(kDotOrder.size()));
}

StepResult ManualAlignmentRun::Step() {
    if (step_ == kManualPreview) return PreviewStep();
    if (services_.SettlingFrame()) return StepResult::KeepGoing;
    switch (step_) {
    case kManualTrackingProperties:
        return TrackingPropertiesStep();
    case kManualClearBackground:
        recorder_.Begin(images_.channelPlane);
        step_ = kManualThreshold;
        return StepResult::KeepGoing;
    case kManualThreshold:
        return ThresholdStep();
    case kManualInput:
        return InputStep();
    case kManualFinish:
        return FinishStep();
    case kManualHotSpotCheck:
        return HotSpotStep();
    default:
        return StepResult::KeepGoing;
    }
}

StepResult ManualAlignmentRun::PreviewStep() {
    // A copy of the sensor picture, so the user can aim the sensor; the UI thread paints it.
    cv::Mat& preview = images_.snapshots[2];
    if (preview.empty()) preview = CreatePaddedImage(images_.Width(), images_.Height(), CV_8UC3);
    images_.frame.copyTo(preview);
    services_.PreviewChanged();
    return StepResult::KeepGoing;
}

StepResult ManualAlignmentRun::TrackingPropertiesStep() {
    services_.SettleOn(services_.TrackingRow());
    step_ = kManualClearBackground;
    return StepResult::KeepGoing;
}

StepResult ManualAlignmentRun::ThresholdStep() {
    const ImagingParameters& row = services_.TrackingRow();
    const int channel = std::clamp(row.channel, 0, 2);
    if (!recorder_.Record(images_.frame, images_.channelPlane, channel, images_.detectionArea)) {
        return StepResult::KeepGoing;
    }
    // No pose exists yet, so the screen is not masked: the detection area alone bounds the
    // threshold, and hot pixels are simply never lit.
    DilateBrightness(images_.channelPlane);
    FillPlane(images_.thresholdImage, 0);
    FillPlane(images_.maskPlane, 0);
    images_.BuildThreshold(images_.channelPlane, row.thresGap, kThresholdLimit);
    dots_.Begin();
    watch_.Reset();
    previousSpot_.Reset();
    services_.DotInputBegins();
    justEntered_ = true;
    step_ = kManualInput;
    return StepResult::KeepGoing;
}

ManualTrigger ManualAlignmentRun::Trigger() {
    switch (step_) {
    case kManualPreview:
        step_ = kManualTrackingProperties;
        return ManualTrigger::CaptureStarts;
    case kManualInput: {
        // After the last dot a question holds the frames until it is answered.
        const DotRecordOutcome outcome = RecordDot(cv::Point2f(-1.0f, -1.0f));
        const bool asked =
            outcome == DotRecordOutcome::AllDone || outcome == DotRecordOutcome::AllTried;
        return asked ? ManualTrigger::UserAsked : ManualTrigger::DotSkipped;
    }
    default:
        return ManualTrigger::Ignored;
    }
}

bool ManualAlignmentRun::StartHotSpotCheck() {
    if (step_ != kManualInput) return false;
    hotSpotCheckFrames_ = 0;
    step_ = kManualHotSpotCheck;
    return true;
}

// Manual alignment: when the sensor cannot see the chessboard the user touches nine dots with
// the lit pen, and the sensor positions of the pen become a board of nine corners. Entry,
// reset, the per-frame steps up to the dot input, the trigger and the Ctrl+Z key.
#include "controller/controller.h"

#include <algorithm>

#include "controller/manual_steps.h"
#include "base/notifications.h"
#include "tracking/gain_evaluation.h"
#include "imaging/plane_operations.h"
#include "tracking/threshold_building.h"

namespace {

// Fewest dots an evaluation accepts.
constexpr int kManualMinCorners = 6;

// The frame shrunk on every side by a tenth of its width, as auto alignment starts with.
PixelRect InnerDetectionArea(const PixelRect& frame) {
    const int inset = frame.width / 10;
    return {frame.x + inset, frame.y + inset, std::max(frame.width - 2 * inset, 0),
            std::max(frame.height - 2 * inset, 0)};
}

}  // namespace

void Controller::StartManualAlignment() {
    if (frameImages_.Width() == 0) frameImages_.Allocate(kSensorWidth, kSensorHeight);
    // Whatever was aligned before no longer counts until this run succeeds.
    modes_.alignmentUsable = 0;
    modes_.gainFound = 0;
    mapping_.SetMinCorners(kManualMinCorners);
    TakeAspectSetting();
    justEntered_ = false;
    ResetManualAlignment();
}

void Controller::ResetManualAlignment() {
    sensor_.Properties().ApplyImaging(coreParameters_.alignment[0]);
    StartSettleWait();
    dots_.Clear();
    modes_.ChangeMode(Mode::ManualAlignment);
    modes_.manualAlignmentStep = kManualPreview;
    manualSpot_.Reset();
    manualPreviousSpot_.Reset();
    dotWatch_.Reset();
    hotSpotCheckFrames_ = 0;
    manualQuestion_ = 0;
    manualFinder_.SetSize(frameImages_.Width(), frameImages_.Height());
    // No preview until this run's first frame.
    frameImages_.ReleaseSnapshots();
    frameImages_.detectionArea = InnerDetectionArea(frameImages_.FullRect());
    mapping_.SelectOffsetPairByPointCount(static_cast<int>(kDotOrder.size()));
}

const ImagingParameters& Controller::ManualTrackingRow() const {
    return coreParameters_.findThreshold[std::clamp(trackGainLevel_, 1, kPresetRows - 1)];
}

StepResult Controller::ManualAlignmentStep() {
    const int step = modes_.manualAlignmentStep;
    if (step == kManualPreview) return ManualPreviewStep();
    if (SkipSettlingFrame()) return StepResult::KeepGoing;
    switch (step) {
    case kManualTrackingProperties:
        return ManualTrackingPropertiesStep();
    case kManualClearBackground:
        manualRecorder_.Begin(frameImages_.channelPlane);
        modes_.manualAlignmentStep = kManualThreshold;
        return StepResult::KeepGoing;
    case kManualThreshold:
        return ManualThresholdStep();
    case kManualInput:
        return ManualInputStep();
    case kManualFinish:
        return ManualFinishStep();
    case kManualHotSpotCheck:
        return ManualHotSpotStep();
    default:
        return StepResult::KeepGoing;
    }
}

StepResult Controller::ManualPreviewStep() {
    // A copy of the sensor picture, so the user can aim the sensor; the UI thread paints it.
    cv::Mat& preview = frameImages_.snapshots[2];
    if (preview.empty()) {
        preview = CreatePaddedImage(frameImages_.Width(), frameImages_.Height(), CV_8UC3);
    }
    frameImages_.frame.copyTo(preview);
    HWND main = mainWindow_;
    RECT client;
    if (GetClientRect(main, &client)) {
        const RECT picture = ManualPreviewRect(client);
        InvalidateRect(main, &picture, FALSE);
    }
    return StepResult::KeepGoing;
}

RECT Controller::ManualPreviewRect(const RECT& client) const {
    const int left = (client.right - frameImages_.Width()) / 2;
    const int top = (client.bottom - frameImages_.Height()) / 2;
    return {left, top, left + frameImages_.Width(), top + frameImages_.Height()};
}

StepResult Controller::ManualTrackingPropertiesStep() {
    sensor_.Properties().ApplyImaging(ManualTrackingRow());
    StartSettleWait();
    modes_.manualAlignmentStep = kManualClearBackground;
    return StepResult::KeepGoing;
}

StepResult Controller::ManualThresholdStep() {
    const ImagingParameters& row = ManualTrackingRow();
    const int channel = std::clamp(row.channel, 0, 2);
    if (!manualRecorder_.Record(frameImages_.frame, frameImages_.channelPlane, channel,
                                frameImages_.detectionArea)) {
        return StepResult::KeepGoing;
    }
    // No pose exists yet, so the screen is not masked: the detection area alone bounds the
    // threshold, and hot pixels are simply never lit.
    DilateBrightness(frameImages_.channelPlane);
    FillPlane(frameImages_.thresholdImage, 0);
    FillPlane(frameImages_.maskPlane, 0);
    frameImages_.BuildThreshold(frameImages_.channelPlane, row.thresGap, kThresholdLimit);
    SetWaitCursor(false);
    ShowWindowAsync(gainOverlay_.Get(), SW_HIDE);
    dots_.Begin();
    dotWatch_.Reset();
    manualPreviousSpot_.Reset();
    PostMessageW(mainWindow_, kAppNotifyMessage, NotifyRaise, 0);
    justEntered_ = true;
    modes_.manualAlignmentStep = kManualInput;
    return StepResult::KeepGoing;
}

void Controller::ManualAlignmentTrigger(UINT) {
    // The step and the dots are the frame thread's while frames run.
    const bool wasHeld = HoldFrames();
    const int step = modes_.manualAlignmentStep;
    // Only the steps that wait for the trigger take it, and their settle wait ends with it.
    if (step == kManualPreview || step == kManualInput) StopSettleWait();
    switch (step) {
    case kManualPreview:
        modes_.manualAlignmentStep = kManualTrackingProperties;
        // White light for the threshold learning; the dots come back when it is done.
        SetWindowPos(gainOverlay_.Get(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(gainOverlay_.Get());
        SetWaitCursor(true);
        break;
    case kManualInput: {
        // The target dot is skipped as lost. After the last one a question holds the frames
        // until it is answered.
        const DotRecordOutcome outcome = RecordDotInput(cv::Point2f(-1.0f, -1.0f));
        if (outcome == DotRecordOutcome::AllDone || outcome == DotRecordOutcome::AllTried) return;
        break;
    }
    default:
        break;
    }
    ResumeFrames(wasHeld);
}

void Controller::HotSpotCheck() {
    const bool wasHeld = HoldFrames();
    const bool inDotInput =
        modes_.mode == Mode::ManualAlignment && modes_.manualAlignmentStep == kManualInput;
    if (inDotInput) {
        hotSpotCheckFrames_ = 0;
        modes_.manualAlignmentStep = kManualHotSpotCheck;
    }
    ResumeFrames(wasHeld);
    if (!inDotInput) MessageBeep(MB_ICONEXCLAMATION);
}

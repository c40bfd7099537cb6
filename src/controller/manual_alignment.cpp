// Manual alignment: when the sensor cannot see the chessboard the user touches nine dots with
// the lit pen, and the sensor positions of the pen become a board of nine corners. Entry,
// reset, the per-frame steps up to the dot input, the trigger and the Ctrl+Z key.
#include "controller/controller.h"

#include <algorithm>

#include "app/process_globals.h"
#include "controller/manual_steps.h"
#include "controller/notifications.h"
#include "tracking/gain_evaluation.h"
#include "tracking/plane_operations.h"
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
    frameImages_.detectionArea = InnerDetectionArea(frameImages_.FullRect());
    mapping_.SelectOffsetPairByPointCount(static_cast<int>(kDotOrder.size()));
}

const ImagingParameters& Controller::ManualTrackingRow() const {
    return coreParameters_.findThreshold[std::clamp(trackGainLevel_, 1, kPresetRows - 1)];
}

int Controller::ManualAlignmentStep() {
    const int step = modes_.manualAlignmentStep;
    if (step == kManualPreview) return ManualPreviewStep();
    if (SkipSettlingFrame()) return StepKeepGoing;
    switch (step) {
    case kManualTrackingProperties:
        return ManualTrackingPropertiesStep();
    case kManualClearBackground:
        manualRecorder_.Begin(frameImages_.channelPlane);
        modes_.manualAlignmentStep = kManualThreshold;
        return StepKeepGoing;
    case kManualThreshold:
        return ManualThresholdStep();
    case kManualInput:
        return ManualInputStep();
    case kManualFinish:
        return ManualFinishStep();
    case kManualHotSpotCheck:
        return ManualHotSpotStep();
    default:
        return StepKeepGoing;
    }
}

int Controller::ManualPreviewStep() {
    HWND main = g_process.mainWindow;
    RECT client;
    if (!GetClientRect(main, &client)) return StepKeepGoing;
    const PixelRect& area = frameImages_.detectionArea;
    // The sensor picture at its own size, centred, so the user can aim the sensor.
    const int left = (client.right - frameImages_.Width()) / 2;
    const int top = (client.bottom - frameImages_.Height()) / 2;
    WindowDc dc(main);
    if (dc.Get()) {
        frameImages_.Draw(frameImages_.frame, dc.Get(),
                          RECT{left, top, left + frameImages_.Width(), top + frameImages_.Height()});
        // The part of the picture the dots will be searched in.
        SelectedObject hollow(dc.Get(), GetStockObject(NULL_BRUSH));
        Rectangle(dc.Get(), left + area.x, top + area.y, left + area.Right(), top + area.Bottom());
    }
    return StepKeepGoing;
}

int Controller::ManualTrackingPropertiesStep() {
    sensor_.Properties().ApplyImaging(ManualTrackingRow());
    StartSettleWait();
    modes_.manualAlignmentStep = kManualClearBackground;
    return StepKeepGoing;
}

int Controller::ManualThresholdStep() {
    const ImagingParameters& row = ManualTrackingRow();
    const int channel = std::clamp(row.channel, 0, 2);
    if (!manualRecorder_.Record(frameImages_.frame, frameImages_.channelPlane, channel,
                                frameImages_.detectionArea)) {
        return StepKeepGoing;
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
    PostMessageW(g_process.mainWindow, kAppNotifyMessage, NotifyRaise, 0);
    justEntered_ = true;
    modes_.manualAlignmentStep = kManualInput;
    return StepKeepGoing;
}

void Controller::ManualAlignmentTrigger(UINT) {
    switch (modes_.manualAlignmentStep) {
    case kManualPreview:
        modes_.manualAlignmentStep = kManualTrackingProperties;
        // White light for the threshold learning; the dots come back when it is done.
        SetWindowPos(gainOverlay_.Get(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(gainOverlay_.Get());
        SetWaitCursor(true);
        break;
    case kManualInput: {
        // The target dot is skipped as lost; the frame thread must not record at the same time.
        paused_ = true;
        WaitForFrameStep();
        const DotRecordOutcome outcome = RecordDotInput(cv::Point2f(-1.0f, -1.0f));
        if (outcome == DotRecordOutcome::NextDot || outcome == DotRecordOutcome::NoTarget) {
            paused_ = false;
        }
        break;
    }
    default:
        break;
    }
}

void Controller::HotSpotCheck() {
    if (modes_.mode != Mode::ManualAlignment || modes_.manualAlignmentStep != kManualInput) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    hotSpotCheckFrames_ = 0;
    modes_.manualAlignmentStep = kManualHotSpotCheck;
}

// Auto alignment: entry, trigger and the per-frame dispatch over its seven steps. A step that
// changes the picture or a sensor property waits through the settle mechanism before the next
// frame is looked at.
#include "controller/controller.h"

#include "alignment/pattern_screen.h"
#include "imaging/plane_operations.h"

namespace {

// A tenth of the frame width is left out on every side until the lit screen is found.
PixelRect StartingDetectionArea(int width, int height) {
    const int margin = width / 10;
    return {margin, margin, width - 2 * margin, height - 2 * margin};
}

}  // namespace

void Controller::StartAutoAlignment() {
    modes_.ChangeMode(Mode::AutoAlignment);
    modes_.autoAlignmentStep = 1;
    // Whatever was aligned before no longer counts until this run succeeds.
    modes_.alignmentUsable = 0;
    modes_.gainFound = 0;

    frameImages_.TakeSnapshots();
    FillPlane(frameImages_.channelPlane, 255);
    frameImages_.detectionArea =
        StartingDetectionArea(frameImages_.Width(), frameImages_.Height());

    status_.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    status_.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    model_.geometry.SetDesktop(status_.screenWidth, status_.screenHeight);
    model_.pattern.Layout(records_.chessboardLayout, DesktopMetrics::Current(mainWindow_));
    model_.pattern.SetKind(kPatternChessboard);

    autoAlignment_ = AutoAlignmentState{};
    autoAlignment_.channel = records_.coreParameters.alignment[AlignmentGainRow()].channel;
    model_.mapping.SetMinCorners(autoAlignment_.minCorners);
    model_.mapping.SetManualAlignment(false);
    TakeAspectSetting();
    model_.mapping.SelectOffsetPairByPointCount(kBoardCorners);

    sensor_.device.Properties().ApplyImaging(records_.coreParameters.alignment[0]);
    StartSettleWait();
}

int Controller::AlignmentGainRow() const {
    return gainLevel_ >= 1 && gainLevel_ < kPresetRows ? gainLevel_ : 3;
}

void Controller::AutoAlignmentTrigger(UINT) {
    const bool wasHeld = HoldFrames();
    // Only the step that waits for the trigger takes it, and its settle wait ends with it.
    if (modes_.autoAlignmentStep == 1) {
        StopSettleWait();
        modes_.autoAlignmentStep = 2;
        autoAlignment_.previewReady = false;
        sensor_.device.Properties().ApplyImaging(records_.coreParameters.alignment[AlignmentGainRow()]);
        ShowPattern(kPatternWhite);
        StartSettleWait();
    }
    ResumeFrames(wasHeld);
}

StepResult Controller::AutoAlignmentStep() {
    if (frameImages_.frame.empty()) return StepResult::KeepGoing;
    if (modes_.autoAlignmentStep == 1) {
        CapturePreview(nullptr);
        return StepResult::KeepGoing;
    }
    if (SkipSettlingFrame()) return StepResult::KeepGoing;
    switch (modes_.autoAlignmentStep) {
    case 2:
        return AlignScreenAreaStep();
    case 3:
        return AlignBrightnessStep();
    case 4:
        ShowPattern(kPatternWhite);
        autoAlignment_.retryCount = 0;
        modes_.autoAlignmentStep = 5;
        StartShortSettle();
        return StepResult::KeepGoing;
    case 5:
        return AlignReferencesStep();
    case 6:
        return AlignOrientationStep();
    case 7:
        return AlignCornerByCornerStep();
    default:
        return StepResult::KeepGoing;
    }
}

void Controller::ShowPattern(int kind, int level) {
    model_.pattern.SetKind(kind, level);
    InvalidateRect(mainWindow_, nullptr, FALSE);
}

DetectionImages Controller::AlignmentImages() {
    return {frameImages_.frame,          autoAlignment_.channel,     frameImages_.detectionArea,
            frameImages_.snapshots[0],   frameImages_.snapshots[1],  frameImages_.channelPlane,
            frameImages_.workPlane};
}

StepResult Controller::FailAlignment(int failureId) {
    handOff_.pendingMessage = failureId;
    return StepResult::Failed;
}

StepResult Controller::EvaluateAlignmentBoard(CornerBuffer& corners, int reportedCount) {
    if (model_.mapping.EvaluateChessboard(corners, reportedCount) == ScreenMapping::kStepSuccess) {
        return StepResult::Succeeded;
    }
    handOff_.pendingMessage = model_.mapping.FailureId();
    return StepResult::Failed;
}

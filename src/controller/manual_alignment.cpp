// Manual alignment on the Controller's side: entry, what its run asks of the sensor, the
// windows and the settle wait, the trigger and the Ctrl+Z key.
#include "controller/controller.h"

#include <algorithm>

#include "base/notifications.h"
#include "controller/alignment_failure_message.h"
#include "tracking/spot_tracker.h"

namespace {

// Fewest dots an evaluation accepts.
constexpr int kManualMinCorners = 6;

}  // namespace

void Controller::StartManualAlignment() {
    if (frameImages_.Width() == 0) frameImages_.Allocate(kSensorWidth, kSensorHeight);
    // Whatever was aligned before no longer counts until this run succeeds.
    modes_.alignmentUsable = 0;
    modes_.gainFound = 0;
    model_.mapping.SetMinCorners(kManualMinCorners);
    TakeAspectSetting();
    SettleOn(records_.coreParameters.alignment[0]);
    modes_.ChangeMode(Mode::ManualAlignment);
    manualRun_.Reset();
}

// SettleOn and PreviewChanged serve the automatic run as well.
void Controller::SettleOn(const ImagingParameters& row) {
    sensor_.device.Properties().ApplyImaging(row);
    StartSettleWait();
}

const ImagingParameters& Controller::TrackingRow() const {
    return records_.coreParameters.findThreshold[std::clamp(trackGainLevel_, 1, kPresetRows - 1)];
}

SpotParameters Controller::TrackingSpot() const {
    return SpotParametersFrom(records_.coreParameters.tracking);
}

void Controller::PreviewChanged() {
    HWND main = mainWindow_;
    const bool automatic = modes_.mode == Mode::AutoAlignment;
    if (automatic && (!main || IsIconic(main) || !IsWindowVisible(main))) return;
    RECT client;
    if (GetClientRect(main, &client)) {
        const RECT picture = automatic ? AlignmentPreviewRect(client) : ManualPreviewRect(client);
        InvalidateRect(main, &picture, FALSE);
    }
}

void Controller::DotsChanged() {
    Repaint();
}

void Controller::DotInputBegins() {
    SetWaitCursor(false);
    ShowWindowAsync(gainOverlay_.Get(), SW_HIDE);
    PostMessageW(mainWindow_, kAppNotifyMessage, NotifyRaise, 0);
}

void Controller::AskUser() {
    EndStep(Mode::ManualAlignment, StepResult::KeepGoing);
}

void Controller::ReportFailure(AlignmentFailure reason) {
    handOff_.pendingMessage = AlignmentFailureMessage(reason);
}

void Controller::ManualAlignmentTrigger(UINT) {
    // The step and the dots are the frame thread's while frames run.
    const bool wasHeld = HoldFrames();
    const int step = modes_.manualAlignmentStep;
    // Only the steps that wait for the trigger take it, and their settle wait ends with it.
    if (step == kManualPreview || step == kManualInput) StopSettleWait();
    switch (manualRun_.Trigger()) {
    case ManualTrigger::CaptureStarts:
        // White light for the threshold learning; the dots come back when it is done.
        SetWindowPos(gainOverlay_.Get(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(gainOverlay_.Get());
        SetWaitCursor(true);
        break;
    case ManualTrigger::UserAsked:
        // The question holds the frames until it is answered.
        return;
    default:
        break;
    }
    ResumeFrames(wasHeld);
}

void Controller::HotSpotCheck() {
    const bool wasHeld = HoldFrames();
    const bool inDotInput = modes_.mode == Mode::ManualAlignment && manualRun_.StartHotSpotCheck();
    ResumeFrames(wasHeld);
    if (!inDotInput) MessageBeep(MB_ICONEXCLAMATION);
}

// Auto alignment on the Controller's side: entry, the trigger, and what its run asks of the
// sensor, the windows and the settle wait. The run's failure becomes the message shown after it.
#include "controller/controller.h"

#include "controller/alignment_failure_message.h"

void Controller::StartAutoAlignment() {
    modes_.ChangeMode(Mode::AutoAlignment);
    // Whatever was aligned before no longer counts until this run succeeds.
    modes_.alignmentUsable = 0;
    modes_.gainFound = 0;

    status_.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    status_.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    model_.geometry.SetDesktop(status_.screenWidth, status_.screenHeight);
    model_.pattern.Layout(records_.chessboardLayout, DesktopMetrics::Current(mainWindow_));
    TakeAspectSetting();
    autoRun_.Start();
}

const ImagingParameters& Controller::AlignmentRow() const {
    return records_.coreParameters.alignment[gainLevel_ >= 1 && gainLevel_ < kPresetRows ? gainLevel_ : 3];
}

void Controller::SettleOnGain(int value) {
    sensor_.device.Properties().SetGain(value);
    StartSettleWait();
}

void Controller::PatternChanged() {
    InvalidateRect(mainWindow_, nullptr, FALSE);
}

cv::Rect Controller::PatternArea() const {
    // The main window's client area, below its menu bar.
    RECT client{};
    POINT origin{0, 0};
    if (!GetClientRect(mainWindow_, &client) || !ClientToScreen(mainWindow_, &origin)) return {};
    return {origin.x, origin.y, client.right, client.bottom};
}

void Controller::AutoAlignmentTrigger(UINT) {
    const bool wasHeld = HoldFrames();
    // Only the step that waits for the trigger takes it, and its settle wait ends with it.
    if (modes_.autoAlignmentStep == 1) {
        StopSettleWait();
        autoRun_.Trigger();
    }
    ResumeFrames(wasHeld);
}

StepResult Controller::AutoAlignmentStep() {
    const StepResult result = autoRun_.Step();
    if (result == StepResult::Failed) {
        handOff_.pendingMessage = AlignmentFailureMessage(autoRun_.Failure());
    }
    return result;
}

void Controller::ShowPattern(int kind, int level) {
    model_.pattern.SetKind(kind, level);
    PatternChanged();
}

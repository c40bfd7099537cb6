// Tracking: every frame's pen spot becomes at most one pointer action, and a few spy points
// beside the screen watch for the room's light changing under the learnt threshold.
#include "controller/controller.h"

#include "base/notifications.h"
#include "resources/resource_ids.h"
#include "imaging/plane_operations.h"
#include "ui/tray_icon.h"

namespace {

constexpr UINT kBlockingBalloonSeconds = 10;

// Called on the frame thread; the balloon belongs to the UI thread.
void ReportBlockingToWindow(void* main) {
    PostMessageW(static_cast<HWND>(main), kAppNotifyMessage, NotifyScreenBlocking, 0);
}

}  // namespace

void Controller::StartTracking() {
    modes_.ChangeMode(Mode::Track);
    modes_.trackingStep = 1;
    spotParameters_ = SpotParametersFrom(coreParameters_.tracking);
    tracking_.Spots().Blocking().SetAlarm(&ReportBlockingToWindow, mainWindow_);
    tracking_.SetSize(frameImages_.Width(), frameImages_.Height());
    // Spy references come from the first tracking frame: no frame is bound here.
    tracking_.Start(TrackGainRow().channel, GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN));
    frameImages_.ReleaseSnapshots();
    FillPlane(frameImages_.channelPlane, 0);
}

StepResult Controller::TrackStep() {
    const TrackOutcome outcome =
        tracking_.Step(frameImages_, spotParameters_, penMapping_, pointer_);
    if (outcome != TrackOutcome::kLightChange) return StepResult::KeepGoing;
    // The threshold no longer fits the room: the UI thread tells the user and finds the gain.
    pendingMessage_ = IDS_LIGHT_CHANGED;
    return StepResult::Failed;
}

void Controller::ShowWithFramesHeld(void (*show)()) {
    const bool wasHeld = HoldFrames();
    ReleaseHeldButton();
    show();
    ResumeFrames(wasHeld);
}

void Controller::ShowBlockingBalloon() {
    if (!trayIcon_) return;
    trayIcon_->ShowBalloon(kBlockingAlarmText, coreParameters_.productName, NIIF_NONE,
                           kBlockingBalloonSeconds);
}

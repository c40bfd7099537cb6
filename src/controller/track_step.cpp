// The Controller's side of tracking: the run started on the current frames and desktop, the
// light-change message, the blocking balloon and messages shown with the frames held.
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
    trackRun_.Tracking().Spots().Blocking().SetAlarm(&ReportBlockingToWindow, mainWindow_);
    // Spy references come from the first tracking frame: no frame is bound here.
    trackRun_.Start(records_.coreParameters.tracking, TrackGainRow().channel, frameImages_.Width(),
                    frameImages_.Height(), GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN));
    frameImages_.ReleaseSnapshots();
    FillPlane(frameImages_.channelPlane, 0);
}

StepResult Controller::TrackStep() {
    const StepResult result = trackRun_.Step(frameImages_);
    // The threshold no longer fits the room: the UI thread tells the user and finds the gain.
    if (result == StepResult::Failed) handOff_.pendingMessage = IDS_LIGHT_CHANGED;
    return result;
}

void Controller::ShowWithFramesHeld(void (*show)()) {
    const bool wasHeld = HoldFrames();
    ReleaseHeldButton();
    show();
    ResumeFrames(wasHeld);
}

void Controller::ShowBlockingBalloon() {
    if (!tray_.icon) return;
    tray_.icon->ShowBalloon(kBlockingAlarmText, records_.coreParameters.productName, NIIF_NONE,
                           kBlockingBalloonSeconds);
}

// The Controller's settle wait: the row's settle time for the running Mode, a few frames after a
// pattern change, and the main window's FrameTimer that ends a timed wait.
#include "controller/controller.h"

#include "base/notifications.h"

namespace {

constexpr int kDefaultShortSettle = 6;

}  // namespace

bool Controller::FrameTimer::OnOwnThread() const {
    return window_ && GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId();
}

UINT_PTR Controller::FrameTimer::Set(UINT milliseconds) {
    return SetTimer(window_, kFrameTimerId, milliseconds, nullptr);
}

void Controller::FrameTimer::Kill(UINT_PTR id) { KillTimer(window_, id); }

void Controller::StartSettleWait() {
    settleWait_.Start(modes_.mode == Mode::FindGain ? records_.coreParameters.findThreshold[0].range
                                                    : records_.coreParameters.alignment[0].range);
}

void Controller::ShortSettle() {
    const int skips = records_.coreParameters.misc.chbSkips;
    settleWait_.CountFrames(skips >= 1 && skips <= 9 ? skips : kDefaultShortSettle);
}

void Controller::StopSettleWait() {
    settleWait_.Stop();
}

void Controller::OnTimer(UINT_PTR id) {
    if (id != kFrameTimerId) return;
    // The wait is one-shot; a tick left over from a stopped wait dies here too.
    KillTimer(mainWindow_, kFrameTimerId);
    if (settleWait_.TimerId() != id) return;
    // What the steps count and measure is theirs while frames run.
    const bool wasHeld = HoldFrames();
    settleWait_.Stop();
    ResumeFrames(wasHeld);
}

bool Controller::SettlingFrame() {
    return settleWait_.SkipFrame();
}

#include "controller/controller.h"

#include "base/notifications.h"

#include <algorithm>

namespace {

// Below this many milliseconds the settle time counts frames instead.
constexpr int kTimedSettleMinimum = 100;
constexpr int kFramesWhenNoTimer = 30;
constexpr int kDefaultShortSettle = 6;

bool OnWindowThread(HWND window) {
    return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

void Controller::StartSettleWait() {
    const int settle = modes_.mode == Mode::FindGain ? coreParameters_.findThreshold[0].range
                                                     : coreParameters_.alignment[0].range;
    if (settle < kTimedSettleMinimum) {
        StopSettleWait();
        settleFrames_ = std::max(settle, 0);
        return;
    }
    if (settleTimerRunning_) return;
    HWND main = mainWindow_;
    if (OnWindowThread(main)) {
        settleTimerId_ = SetTimer(main, kFrameTimerId, static_cast<UINT>(settle), nullptr);
        settleTimerRunning_ = settleTimerId_ != 0;
        if (!settleTimerRunning_) settleFrames_ = kFramesWhenNoTimer;
    } else {
        // A window timer can only be set by the window's own thread; the frame thread
        // measures the same time itself and still never sleeps.
        settleDeadline_ = GetTickCount64() + static_cast<ULONGLONG>(settle);
        settleTimerRunning_ = true;
    }
}

void Controller::StartShortSettle() {
    const int skips = coreParameters_.misc.chbSkips;
    settleFrames_ = skips >= 1 && skips <= 9 ? skips : kDefaultShortSettle;
    settleTimerRunning_ = false;
    settleDeadline_ = 0;
}

void Controller::StopSettleWait() {
    // The window timer is the UI thread's alone. A step never finds one running: it skips its
    // frames until the timer's wait is over.
    HWND main = mainWindow_;
    if (OnWindowThread(main)) {
        if (settleTimerId_) KillTimer(main, settleTimerId_);
        settleTimerId_ = 0;
    }
    settleFrames_ = 0;
    settleTimerRunning_ = false;
    settleDeadline_ = 0;
}

void Controller::OnTimer(UINT_PTR id) {
    if (id != kFrameTimerId) return;
    // The wait is one-shot; a tick left over from a stopped wait dies here too.
    KillTimer(mainWindow_, kFrameTimerId);
    if (settleTimerId_ != id) return;
    // What the steps count and measure is theirs while frames run.
    const bool wasHeld = HoldFrames();
    StopSettleWait();
    ResumeFrames(wasHeld);
}

bool Controller::SkipSettlingFrame() {
    if (settleTimerRunning_) {
        const ULONGLONG deadline = settleDeadline_;
        if (deadline == 0 || GetTickCount64() < deadline) return true;
        settleDeadline_ = 0;
        settleTimerRunning_ = false;
    }
    if (settleFrames_ > 0) {
        --settleFrames_;
        return true;
    }
    return false;
}

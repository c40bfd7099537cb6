// The Controller's settle wait: the row's settle time for the running Mode, and the main
// window's FrameTimer that ends a timed wait.
#include "controller/controller.h"

#include "app/process_globals.h"
#include "base/notifications.h"

namespace {

constexpr int kDefaultShortSettle = 6;

class FrameTimer final : public SettleWait::Timer {
public:
    bool OnOwnThread() const override {
        HWND main = g_process.mainWindow;
        return main && GetWindowThreadProcessId(main, nullptr) == GetCurrentThreadId();
    }
    UINT_PTR Set(UINT milliseconds) override {
        return SetTimer(g_process.mainWindow, kFrameTimerId, milliseconds, nullptr);
    }
    void Kill(UINT_PTR id) override { KillTimer(g_process.mainWindow, id); }
};

}  // namespace

SettleWait::Timer& Controller::SettleTimer() {
    static FrameTimer timer;
    return timer;
}

void Controller::StartSettleWait() {
    settleWait_.Start(modes_.mode == Mode::FindGain ? coreParameters_.findThreshold[0].range
                                                    : coreParameters_.alignment[0].range);
}

void Controller::StartShortSettle() {
    const int skips = coreParameters_.misc.chbSkips;
    settleWait_.CountFrames(skips >= 1 && skips <= 9 ? skips : kDefaultShortSettle);
}

void Controller::StopSettleWait() {
    settleWait_.Stop();
}

void Controller::OnTimer(UINT_PTR id) {
    if (id != kFrameTimerId) return;
    // The wait is one-shot; a tick left over from a stopped wait dies here too.
    KillTimer(g_process.mainWindow, kFrameTimerId);
    if (settleWait_.TimerId() != id) return;
    // What the steps count and measure is theirs while frames run.
    const bool wasHeld = HoldFrames();
    settleWait_.Stop();
    ResumeFrames(wasHeld);
}

bool Controller::SkipSettlingFrame() {
    return settleWait_.SkipFrame();
}

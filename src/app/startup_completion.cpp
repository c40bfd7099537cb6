#include "app/application.h"

#include "base/notifications.h"

namespace {

constexpr UINT kStartupTickMs = 1000;
// Ticks on which the tray icon is tried again before start-up goes on without it.
constexpr int kTrayRetryTicks = 20;

}  // namespace

void Application::OnStartupComplete() {
    // Only the first frame asks for this; a late or repeated request must not start again.
    if (controller_.CurrentMode() != Mode::Starting || startupTimerId_) return;
    if (controller_.TrayIconInPlace()) {
        FinishStartup();
        return;
    }
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
    startupTicks_ = 0;
    startupTimerId_ = SetTimer(mainWindow_, kStartupTimerId, kStartupTickMs, nullptr);
    if (!startupTimerId_) FinishStartup();
}

void Application::OnStartupTick() {
    const int seen = startupTicks_++;
    if (seen < kTrayRetryTicks && !controller_.TrayIconInPlace()) return;
    KillTimer(mainWindow_, startupTimerId_);
    startupTimerId_ = 0;
    FinishStartup();
}

void Application::FinishStartup() {
    HideSplash();
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    controller_.Start();
}

#include "app/application.h"

#include "base/notifications.h"

namespace {

constexpr UINT kStartupTickMs = 1000;

}  // namespace

void Application::OnStartupComplete() {
    // Only the first frame asks for this; a late or repeated request must not start again.
    if (controller_.CurrentMode() != Mode::Starting || startupTimerId_) return;
    if (startupWait_.Begin()) {
        FinishStartup();
        return;
    }
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
    startupTimerId_ = SetTimer(mainWindow_, kStartupTimerId, kStartupTickMs, nullptr);
    if (!startupTimerId_) FinishStartup();
}

void Application::OnStartupTick() {
    if (!startupWait_.Tick()) return;
    KillTimer(mainWindow_, startupTimerId_);
    startupTimerId_ = 0;
    FinishStartup();
}

void Application::FinishStartup() {
    HideSplash();
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    controller_.Start();
}

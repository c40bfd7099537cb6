#include "app/startup_wait.h"

namespace {

// Ticks on which the tray icon is tried again before start-up goes on without it.
constexpr int kTrayRetryTicks = 20;

}  // namespace

bool StartupWait::Begin() {
    ticks_ = 0;
    return trayInPlace_();
}

bool StartupWait::Tick() {
    const int seen = ticks_++;
    return seen >= kTrayRetryTicks || trayInPlace_();
}

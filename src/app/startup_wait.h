#pragma once
// The end of start-up waits for the tray icon: it finishes at once when the icon is in place,
// else on the first one-second tick that finds it placed, and at the latest on the 21st tick.
#include <functional>

class StartupWait {
public:
    // Asks whether the tray icon is in place, placing it again when it is not.
    explicit StartupWait(std::function<bool()> trayInPlace) : trayInPlace_(std::move(trayInPlace)) {}

    // The first frame's report: true when start-up finishes now; else the ticks count from 0.
    bool Begin();
    // One tick of the start-up timer: true when start-up finishes now.
    bool Tick();

private:
    std::function<bool()> trayInPlace_;
    int ticks_ = 0;
};

#include "controller/settle_wait.h"

#include <algorithm>
#include <utility>

namespace {

// Below this many milliseconds the settle time counts frames instead.
constexpr int kTimedSettleMinimum = 100;
constexpr int kFramesWhenNoTimer = 30;

}  // namespace

SettleWait::SettleWait(Timer& timer, Clock clock) : timer_(timer), clock_(std::move(clock)) {}

void SettleWait::Start(int settle) {
    if (settle < kTimedSettleMinimum) {
        Stop();
        frames_ = std::max(settle, 0);
        return;
    }
    if (timerRunning_) return;
    if (timer_.OnOwnThread()) {
        timerId_ = timer_.Set(static_cast<UINT>(settle));
        timerRunning_ = timerId_ != 0;
        if (!timerRunning_) frames_ = kFramesWhenNoTimer;
    } else {
        deadline_ = clock_() + static_cast<ULONGLONG>(settle);
        timerRunning_ = true;
    }
}

void SettleWait::CountFrames(int frames) {
    frames_ = frames;
    timerRunning_ = false;
    deadline_ = 0;
}

void SettleWait::Stop() {
    // The window timer is the UI thread's alone. A step never finds one running: it skips its
    // frames until the timer's wait is over.
    if (timer_.OnOwnThread()) {
        if (timerId_) timer_.Kill(timerId_);
        timerId_ = 0;
    }
    CountFrames(0);
}

bool SettleWait::SkipFrame() {
    if (timerRunning_) {
        const ULONGLONG deadline = deadline_;
        if (deadline == 0 || clock_() < deadline) return true;
        deadline_ = 0;
        timerRunning_ = false;
    }
    if (frames_ > 0) {
        --frames_;
        return true;
    }
    return false;
}
